#include "dialogs/WelcomeDialog.h"

#include "config/Config.h"
#include "config/ValueChecks.h"
#include "conversation/Shell.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The nick of the settings, else the name the user logs in with when a
// server would take it.
QString SuggestedNick()
{
    const std::string stored = ReadString(kBaseSection, "Nick");
    if (!stored.empty())
        return FromUtf8(stored);
    const std::string login = qEnvironmentVariable("USER").toStdString();
    return CheckNick(login) ? QString() : FromUtf8(login);
}

QString NetworkItemText(const PublicNetwork &network)
{
    return FromUtf8(network.name + "  (" + network.host + " " + network.port.Text() + ")");
}

} // namespace

WelcomeDialog::WelcomeDialog(Shell &shell, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_networks(LoadPublicNetworks())
{
    setWindowTitle(FromStr(Str::WelcomeTitle));

    auto *intro = new QLabel(FromStr(Str::WelcomeIntro), this);
    intro->setWordWrap(true);

    m_nick = new QLineEdit(SuggestedNick(), this);
    m_fullName = new QLineEdit(FromUtf8(ReadString(kBaseSection, "User Full Name")), this);
    auto *identity = new QFormLayout;
    identity->addRow(FromStr(Str::WelcomeNickLabel), m_nick);
    identity->addRow(FromStr(Str::WelcomeFullNameLabel), m_fullName);

    m_useNetwork = new QRadioButton(FromStr(Str::WelcomeNetworkChoice), this);
    m_networkList = new QComboBox(this);
    for (const PublicNetwork &network : m_networks)
        m_networkList->addItem(NetworkItemText(network));

    m_useServer = new QRadioButton(FromStr(Str::WelcomeServerChoice), this);
    m_server = new QWidget(this);
    m_host = new QLineEdit(m_server);
    m_port = new QSpinBox(m_server);
    m_port->setRange(1, static_cast<int>(ServerPort::kHighestPort));
    m_port->setValue(static_cast<int>(ServerPort::kDefaultPort));
    m_tls = new QCheckBox(FromStr(Str::WelcomeTlsBox), m_server);
    auto *server = new QFormLayout(m_server);
    server->setContentsMargins(20, 0, 0, 0);
    server->addRow(FromStr(Str::WelcomeHostLabel), m_host);
    server->addRow(FromStr(Str::WelcomePortLabel), m_port);
    server->addRow(QString(), m_tls);

    m_problem = new QLabel(this);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->hide();

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *connectButton = buttons->addButton(FromStr(Str::WelcomeConnectButton), QDialogButtonBox::AcceptRole);
    buttons->addButton(FromStr(Str::WelcomeCancelButton), QDialogButtonBox::RejectRole);
    connectButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &WelcomeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(6);
    layout->addLayout(identity);
    layout->addSpacing(6);
    layout->addWidget(m_useNetwork);
    layout->addWidget(m_networkList);
    layout->addWidget(m_useServer);
    layout->addWidget(m_server);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);

    connect(m_useNetwork, &QRadioButton::toggled, this, &WelcomeDialog::FollowChoice);
    connect(m_tls, &QCheckBox::toggled, this, &WelcomeDialog::FollowTls);
    // Without a list (a damaged installation) a server typed in still works.
    m_useNetwork->setEnabled(!m_networks.empty());
    (m_networks.empty() ? m_useServer : m_useNetwork)->setChecked(true);
    FollowChoice();
    m_nick->setFocus();
}

// A wrapped label asks for its height only at a given width, which the
// dialog's minimum size does not follow: a reason shown later would take
// its room from the fields instead.
bool WelcomeDialog::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::LayoutRequest)
        GrowToFit();
    return handled;
}

void WelcomeDialog::GrowToFit()
{
    const int needed = layout()->totalHeightForWidth(width());
    if (height() < needed)
        resize(width(), needed);
}

void WelcomeDialog::FollowChoice()
{
    m_networkList->setEnabled(m_useNetwork->isChecked());
    m_server->setEnabled(m_useServer->isChecked());
}

void WelcomeDialog::FollowTls(bool tls)
{
    const int plain = static_cast<int>(ServerPort::kDefaultPort);
    const int secure = static_cast<int>(ServerPort::kDefaultTlsPort);
    const int usual = tls ? secure : plain;
    const int other = tls ? plain : secure;
    if (m_port->value() == other)
        m_port->setValue(usual);
}

WelcomeChoice WelcomeDialog::Choice() const
{
    WelcomeChoice choice;
    choice.nick = m_nick->text().trimmed().toStdString();
    choice.fullName = m_fullName->text().trimmed().toStdString();
    const int network = m_networkList->currentIndex();
    if (m_useNetwork->isChecked() && network >= 0 && network < static_cast<int>(m_networks.size())) {
        const PublicNetwork &chosen = m_networks[static_cast<size_t>(network)];
        choice.serverName = chosen.name;
        choice.host = chosen.host;
        choice.port = chosen.port;
    } else {
        choice.host = m_host->text().trimmed().toStdString();
        choice.serverName = choice.host;
        choice.port = ServerPort{static_cast<unsigned>(m_port->value()), m_tls->isChecked()};
    }
    return choice;
}

void WelcomeDialog::Refuse(QWidget *field, const QString &why)
{
    m_shell.Beep(0);
    m_problem->setText(why);
    m_problem->show();
    field->setFocus();
}

void WelcomeDialog::accept()
{
    const WelcomeChoice choice = Choice();
    if (const Refusal reason = CheckNick(choice.nick)) {
        Refuse(m_nick, FromStr(*reason));
        m_nick->selectAll();
        return;
    }
    if (const ServerEntryCheck check = CheckWelcomeServer(choice); check.field != ServerEntryProblem::None) {
        Refuse(m_host, FromStr(check.reason.value_or(Str::HostEmpty)));
        return;
    }
    const ConfigFailureToldByCaller toldHere;
    if (!SaveWelcomeChoice(choice)) {
        Refuse(m_nick, FromUtf8(Strings::Format(Str::WelcomeNotSaved, ConfigFilePath().c_str())));
        return;
    }
    m_problem->hide();
    QDialog::accept();
}
