#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class Shell;

// One favourite channel: its name, whether to join it after connecting, the
// server whose group holds it and its key. OK writes it (and removes the
// line of its old name); a name the configuration cannot hold, or a failed
// write, beeps, says why and keeps the dialog open. The name of another
// favourite is taken only when the user says so.
class FavouriteChannelDialog : public QDialog
{
    Q_OBJECT

public:
    // server: the group to start with; oldName: the channel edited, empty
    // to add one.
    FavouriteChannelDialog(Shell &shell, const std::string &server, const std::string &oldName = {},
                    QWidget *parent = nullptr);

    QLineEdit *NameEdit() const { return m_name; }
    QCheckBox *AutoJoinBox() const { return m_autoJoin; }
    QComboBox *ServerBox() const { return m_server; }
    QLineEdit *KeyEdit() const { return m_key; }

    void accept() override;

private:
    void Refuse(const std::string &why);
    // Asks before the channel takes the name of another one; true to go on.
    bool MayTakeName(const std::string &server, const std::string &name);

    Shell &m_shell;
    std::string m_oldServer;
    std::string m_oldName;
    QComboBox *m_server;
    QLineEdit *m_name;
    QLineEdit *m_key;
    QCheckBox *m_autoJoin;
};
