#pragma once

#include <QWidget>

struct AppSettings;
class QCheckBox;
class QRadioButton;

// The third page of the settings sheet: private messages, DCC offers and
// the desktop notifications about them.
class MessagesSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit MessagesSettingsPage(const AppSettings &settings, QWidget *parent = nullptr);

    // Puts the page's switches into the settings record.
    void Apply(AppSettings &settings) const;

    QCheckBox *ShowPingBox() const { return m_showPing; }
    QCheckBox *OpenQueryBox() const { return m_openQuery; }
    QCheckBox *QueryDialogBox() const { return m_queryDialog; }
    QRadioButton *DccAskButton() const { return m_dccAsk; }
    QRadioButton *DccNoAskButton() const { return m_dccNoAsk; }
    QCheckBox *DesktopNotificationsBox() const { return m_desktopNotifications; }

private:
    QCheckBox *m_showPing = nullptr;
    QCheckBox *m_openQuery = nullptr;
    QCheckBox *m_queryDialog = nullptr;
    QRadioButton *m_dccAsk = nullptr;
    QRadioButton *m_dccNoAsk = nullptr;
    QCheckBox *m_desktopNotifications = nullptr;
};
