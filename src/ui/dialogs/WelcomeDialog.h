#pragma once

#include "config/PublicNetworks.h"
#include "config/WelcomeChoice.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class Shell;

// The welcome of a newcomer: a nick, a full name, and a network from the
// list shipped with the program or a server typed in (host, port, TLS).
// "Pripojiť" stores the choice (SaveWelcomeChoice) and closes with accepted;
// the caller connects. "Zrušiť" writes nothing. A nick the server would not
// take or an empty host is refused with a line saying why.
class WelcomeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WelcomeDialog(Shell &shell, QWidget *parent = nullptr);

    // The choice as the controls show it (texts trimmed).
    WelcomeChoice Choice() const;

    QLineEdit *NickEdit() const { return m_nick; }
    QLineEdit *FullNameEdit() const { return m_fullName; }
    QRadioButton *NetworkChoice() const { return m_useNetwork; }
    QComboBox *NetworkList() const { return m_networkList; }
    QRadioButton *ServerChoice() const { return m_useServer; }
    QLineEdit *HostEdit() const { return m_host; }
    QSpinBox *PortBox() const { return m_port; }
    QCheckBox *TlsBox() const { return m_tls; }
    // Why the last "Pripojiť" was refused; hidden while nothing is wrong.
    QLabel *ProblemLabel() const { return m_problem; }

    void accept() override;

protected:
    bool event(QEvent *event) override;

private:
    // Grows the dialog to the height its contents need at its width: the
    // fields keep their height and a reason of several lines shows whole.
    void GrowToFit();
    void FollowChoice();
    // The usual port of the kind of connection the box asks for, unless the
    // user typed another.
    void FollowTls(bool tls);
    void Refuse(QWidget *field, const QString &why);

    Shell &m_shell;
    std::vector<PublicNetwork> m_networks;
    QLineEdit *m_nick = nullptr;
    QLineEdit *m_fullName = nullptr;
    QRadioButton *m_useNetwork = nullptr;
    QComboBox *m_networkList = nullptr;
    QRadioButton *m_useServer = nullptr;
    QWidget *m_server = nullptr;
    QLineEdit *m_host = nullptr;
    QSpinBox *m_port = nullptr;
    QCheckBox *m_tls = nullptr;
    QLabel *m_problem = nullptr;
};
