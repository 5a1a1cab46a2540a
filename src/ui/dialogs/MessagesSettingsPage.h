#pragma once

#include <QWidget>

struct AppSettings;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The third page of the settings sheet: private messages, DCC offers (our
// address, the ports, the folder received files are saved in) and the
// desktop notifications about them.
class MessagesSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit MessagesSettingsPage(const AppSettings &settings, QWidget *parent = nullptr);

    // Puts the page's switches into the settings record; an address or a
    // port range that is not valid leaves the record's value as it was.
    void Apply(AppSettings &settings) const;

    QCheckBox *ShowPingBox() const { return m_showPing; }
    QCheckBox *OpenQueryBox() const { return m_openQuery; }
    QCheckBox *QueryDialogBox() const { return m_queryDialog; }
    QRadioButton *DccAskButton() const { return m_dccAsk; }
    QRadioButton *DccNoAskButton() const { return m_dccNoAsk; }
    QCheckBox *DesktopNotificationsBox() const { return m_desktopNotifications; }
    QLineEdit *DccAddressEdit() const { return m_dccAddress; }
    QLineEdit *DccPortsEdit() const { return m_dccPorts; }
    // Why the address or the ports are not valid; empty when they are.
    QString DccProblem() const;
    QLineEdit *DccFolderEdit() const { return m_dccFolder; }

private:
    QCheckBox *m_showPing = nullptr;
    QCheckBox *m_openQuery = nullptr;
    QCheckBox *m_queryDialog = nullptr;
    QRadioButton *m_dccAsk = nullptr;
    QRadioButton *m_dccNoAsk = nullptr;
    QCheckBox *m_desktopNotifications = nullptr;
    QLineEdit *m_dccAddress = nullptr;
    QLineEdit *m_dccPorts = nullptr;
    QLabel *m_dccProblem = nullptr;
    QLineEdit *m_dccFolder = nullptr;
};
