#pragma once

#include "config/FavouriteServers.h"

#include <QWidget>

struct AppSettings;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class Shell;

// The first page of the settings sheet: the default server and the favourite
// servers, and the user's identity. Servers added, edited or deleted here
// reach the file only when the sheet is closed with OK.
class BasicSettingsPage : public QWidget
{
    Q_OBJECT

public:
    BasicSettingsPage(Shell &shell, const AppSettings &settings, QWidget *parent = nullptr);

    // The identity field the core's checks refuse (the nick, the e-mail;
    // both may be empty), and why; null when there is none.
    QLineEdit *FieldAtFault(Refusal &reason) const;
    // Writes the servers with the selected one as "Default Server" (kept
    // when none is selected), as one replacement of the file.
    bool SaveServers();
    // Puts the identity into the settings record.
    void Apply(AppSettings &settings) const;

    FavouriteServers &Servers() { return m_servers; }
    QComboBox *ServerBox() const { return m_serverBox; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *EditButton() const { return m_edit; }
    QPushButton *DeleteButton() const { return m_delete; }
    QLineEdit *FullNameEdit() const { return m_fullName; }
    QLineEdit *EmailEdit() const { return m_email; }
    QLineEdit *NickEdit() const { return m_nick; }
    QCheckBox *InvisibleBox() const { return m_invisible; }
    QCheckBox *UpdateNickBox() const { return m_updateNick; }
    QCheckBox *AutoChangeNickBox() const { return m_autoChangeNick; }

private:
    void AddServer();
    void EditServer();
    void DeleteServer();
    // Refills the list from the working copy, selecting the given name when
    // it is still there (none otherwise).
    void FillServers(const std::string &select);
    std::string SelectedServer() const;

    Shell &m_shell;
    FavouriteServers m_servers;
    QComboBox *m_serverBox = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QLineEdit *m_fullName = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_nick = nullptr;
    QCheckBox *m_invisible = nullptr;
    QCheckBox *m_updateNick = nullptr;
    QCheckBox *m_autoChangeNick = nullptr;
};
