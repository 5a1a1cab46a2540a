#include "dialogs/ServerDialog.h"

#include "config/ServerPort.h"
#include "conversation/Shell.h"
#include "text/CaseFold.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

ServerDialog::ServerDialog(Shell &shell, FavouriteServers &servers, const std::string &name, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_servers(servers), m_oldName(servers.Contains(name) ? name : std::string())
{
    setWindowTitle(FromStr(m_oldName.empty() ? Str::NewServerTitle : Str::EditServerTitle));

    m_name = new QLineEdit(this);
    m_host = new QLineEdit(this);
    m_port = new QLineEdit(this);
    m_port->setMaxLength(6);
    m_port->setToolTip(FromStr(Str::ServerPortTip));
    m_standardPort = new QCheckBox(FromStr(Str::StandardPortBox), this);
    m_autoConnect = new QCheckBox(FromStr(Str::AutoConnectBox), this);
    m_usePassword = new QCheckBox(FromStr(Str::UsePasswordBox), this);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setToolTip(FromStr(Str::BouncerPasswordHint));
    m_passwordHint = new QLabel(FromStr(Str::BouncerPasswordHint), this);
    m_passwordHint->setWordWrap(true);
    m_passwordHint->setEnabled(false);
    m_loggingOff = new QCheckBox(FromStr(Str::ServerLoggingOff), this);

    m_ownIdentity = new QCheckBox(FromStr(Str::OwnIdentityBox), this);
    m_identity = new QWidget(this);
    m_fullName = new QLineEdit(m_identity);
    m_email = new QLineEdit(m_identity);
    m_nick = new QLineEdit(m_identity);
    m_invisible = new QCheckBox(FromStr(Str::InvisibleBox), m_identity);
    m_updateNick = new QCheckBox(FromStr(Str::ServerKeepChangedNickBox), m_identity);

    auto *server = new QGridLayout;
    const auto addField = [&](int row, const QString &label, QWidget *field, int span) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        server->addWidget(caption, row, 0);
        server->addWidget(field, row, 1, 1, span);
    };
    addField(0, FromStr(Str::ServerNameLabel), m_name, 2);
    addField(1, FromStr(Str::ServerLabel), m_host, 2);
    addField(2, FromStr(Str::PortLabel), m_port, 1);
    server->addWidget(m_standardPort, 2, 2);
    server->addWidget(m_autoConnect, 3, 1, 1, 2);
    server->addWidget(m_usePassword, 4, 0);
    server->addWidget(m_password, 4, 1, 1, 2);
    server->addWidget(m_passwordHint, 5, 1, 1, 2);
    server->addWidget(m_loggingOff, 6, 1, 1, 2);

    auto *identity = new QFormLayout(m_identity);
    identity->setContentsMargins(20, 0, 0, 0);
    identity->addRow(FromStr(Str::FullNameLabel), m_fullName);
    identity->addRow(FromStr(Str::EmailLabel), m_email);
    identity->addRow(FromStr(Str::ServerNickLabel), m_nick);
    identity->addRow(QString(), m_invisible);
    identity->addRow(QString(), m_updateNick);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ServerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(server);
    layout->addSpacing(8);
    layout->addWidget(m_ownIdentity);
    layout->addWidget(m_identity);
    layout->addWidget(buttons);

    connect(m_standardPort, &QCheckBox::toggled, this, &ServerDialog::FollowBoxes);
    connect(m_usePassword, &QCheckBox::toggled, this, &ServerDialog::FollowBoxes);
    connect(m_ownIdentity, &QCheckBox::toggled, this, &ServerDialog::FollowBoxes);

    Fill(servers.ForEditing(m_oldName));
    m_name->setFocus();
}

void ServerDialog::Fill(const ServerEntry &entry)
{
    m_name->setText(FromUtf8(entry.name));
    m_host->setText(FromUtf8(entry.host));
    m_port->setText(FromUtf8(ServerPort{static_cast<unsigned>(entry.port), entry.tls}.Text()));
    m_standardPort->setChecked(entry.port == int(ServerPort::kDefaultPort) && !entry.tls);
    m_autoConnect->setChecked(entry.autoConnect);
    m_loggingOff->setChecked(!entry.logging);
    m_usePassword->setChecked(entry.usePassword);
    m_password->setText(FromUtf8(entry.password));
    m_ownIdentity->setChecked(entry.ownIdentity);
    m_fullName->setText(FromUtf8(entry.fullName));
    m_email->setText(FromUtf8(entry.email));
    m_nick->setText(FromUtf8(entry.nick));
    m_invisible->setChecked(entry.invisible);
    m_updateNick->setChecked(entry.updateNick);
    FollowBoxes();
}

void ServerDialog::FollowBoxes()
{
    if (m_standardPort->isChecked())
        m_port->setText(QString::number(ServerPort::kDefaultPort));
    m_port->setEnabled(!m_standardPort->isChecked());
    m_password->setEnabled(m_usePassword->isChecked());
    m_identity->setEnabled(m_ownIdentity->isChecked());
}

ServerEntry ServerDialog::Entry() const
{
    ServerEntry entry;
    entry.name = m_name->text().trimmed().toStdString();
    entry.host = m_host->text().trimmed().toStdString();
    // "+6697" asks for a secure connection, as in the record and in /server;
    // a port text CheckPort refuses gives port 0.
    const std::string portText = m_port->text().trimmed().toStdString();
    const ServerPort port = ServerPort::Parse(portText);
    entry.port = CheckPort(portText) ? 0 : static_cast<int>(port.port);
    entry.tls = port.tls;
    entry.autoConnect = m_autoConnect->isChecked();
    entry.logging = !m_loggingOff->isChecked();
    entry.usePassword = m_usePassword->isChecked();
    entry.password = m_password->text().toStdString();
    entry.ownIdentity = m_ownIdentity->isChecked();
    entry.fullName = m_fullName->text().toStdString();
    entry.email = m_email->text().toStdString();
    entry.nick = m_nick->text().toStdString();
    entry.invisible = m_invisible->isChecked();
    entry.updateNick = m_updateNick->isChecked();
    return entry;
}

QLineEdit *ServerDialog::FieldOf(ServerEntryProblem problem) const
{
    switch (problem) {
    case ServerEntryProblem::BadName:
        return m_name;
    case ServerEntryProblem::BadHost:
        return m_host;
    case ServerEntryProblem::BadPort:
        return m_port;
    case ServerEntryProblem::BadNick:
        return m_nick;
    case ServerEntryProblem::BadEmail:
        return m_email;
    case ServerEntryProblem::None:
        break;
    }
    return m_name;
}

void ServerDialog::Refuse(QLineEdit *field, StrText reason)
{
    m_shell.Beep(0);
    m_shell.MessageBox(Strings::Get(reason), std::string(), Shell::ButtonsOk);
    field->setFocus();
    field->selectAll();
}

bool ServerDialog::MayTakeName(const std::string &name)
{
    if (EqualIgnoringCase(name, m_oldName) || !m_servers.Contains(name))
        return true;
    return m_shell.MessageBox(Strings::Format(Str::ReplaceFavouriteServer, name.c_str()), std::string(),
                              Shell::ButtonsYesNo)
        == Shell::AnswerYes;
}

void ServerDialog::accept()
{
    const ServerEntry entry = Entry();
    // The port as typed first: "66x7" is refused as no number, not read as 66.
    if (const Refusal reason = CheckPort(m_port->text().trimmed().toStdString())) {
        Refuse(m_port, *reason);
        return;
    }
    if (const ServerEntryCheck check = CheckServerEntry(entry); check.field != ServerEntryProblem::None) {
        Refuse(FieldOf(check.field), check.reason.value_or(Str::ServerNameBad));
        return;
    }
    if (!MayTakeName(entry.name)) {
        m_name->setFocus();
        return;
    }
    m_servers.Put(entry, m_oldName);
    QDialog::accept();
}
