#pragma once

#include "config/FavouriteServers.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
class Shell;

// One favourite server: name, host, port, automatic connection, password and
// an identity of its own. OK puts the entry into the settings sheet's working
// copy of the servers (the file follows when the sheet is closed with OK);
// a value the file cannot hold is refused with a beep and a message saying
// why (the value checks of the core), and the dialog stays.
class ServerDialog : public QDialog
{
    Q_OBJECT

public:
    // name: the entry to edit; empty to add one.
    ServerDialog(Shell &shell, FavouriteServers &servers, const std::string &name, QWidget *parent = nullptr);

    // The entry as the controls show it (name and host trimmed).
    ServerEntry Entry() const;

    QLineEdit *NameEdit() const { return m_name; }
    QLineEdit *HostEdit() const { return m_host; }
    QLineEdit *PortEdit() const { return m_port; }
    QCheckBox *StandardPortBox() const { return m_standardPort; }
    QCheckBox *AutoConnectBox() const { return m_autoConnect; }
    QCheckBox *LoggingOffBox() const { return m_loggingOff; }
    QCheckBox *PasswordBox() const { return m_usePassword; }
    QLineEdit *PasswordEdit() const { return m_password; }
    // Says how a bouncer's network is logged in to ("user/network:password").
    QLabel *PasswordHint() const { return m_passwordHint; }
    QCheckBox *OwnIdentityBox() const { return m_ownIdentity; }
    QLineEdit *FullNameEdit() const { return m_fullName; }
    QLineEdit *EmailEdit() const { return m_email; }
    QLineEdit *NickEdit() const { return m_nick; }
    QCheckBox *InvisibleBox() const { return m_invisible; }
    QCheckBox *UpdateNickBox() const { return m_updateNick; }

    void accept() override;

private:
    void Fill(const ServerEntry &entry);
    void FollowBoxes();
    QLineEdit *FieldOf(ServerEntryProblem problem) const;
    // Beeps, says why and puts the focus on the field at fault.
    void Refuse(QLineEdit *field, StrText reason);
    // Asks before an entry takes the name of another one; true to go on.
    bool MayTakeName(const std::string &name);

    Shell &m_shell;
    FavouriteServers &m_servers;
    std::string m_oldName;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_host = nullptr;
    QLineEdit *m_port = nullptr;
    QCheckBox *m_standardPort = nullptr;
    QCheckBox *m_loggingOff = nullptr;
    QCheckBox *m_autoConnect = nullptr;
    QCheckBox *m_usePassword = nullptr;
    QLineEdit *m_password = nullptr;
    QLabel *m_passwordHint = nullptr;
    QCheckBox *m_ownIdentity = nullptr;
    QWidget *m_identity = nullptr;
    QLineEdit *m_fullName = nullptr;
    QLineEdit *m_email = nullptr;
    QLineEdit *m_nick = nullptr;
    QCheckBox *m_invisible = nullptr;
    QCheckBox *m_updateNick = nullptr;
};
