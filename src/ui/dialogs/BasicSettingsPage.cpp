#include "dialogs/BasicSettingsPage.h"

#include "config/AppSettings.h"
#include "conversation/Shell.h"
#include "dialogs/ServerDialog.h"
#include "text/CaseFold.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

BasicSettingsPage::BasicSettingsPage(Shell &shell, const AppSettings &settings, QWidget *parent)
    : QWidget(parent), m_shell(shell)
{
    m_serverBox = new QComboBox(this);
    m_serverBox->setMinimumContentsLength(20);
    m_add = new QPushButton(FromStr(Str::AddButton), this);
    m_edit = new QPushButton(FromStr(Str::EditButton), this);
    m_delete = new QPushButton(FromStr(Str::DeleteButton), this);
    m_fullName = new QLineEdit(FromUtf8(settings.m_fullName), this);
    m_email = new QLineEdit(FromUtf8(settings.m_email), this);
    m_nick = new QLineEdit(FromUtf8(settings.m_nick), this);
    m_invisible = new QCheckBox(FromStr(Str::InvisibleBox), this);
    m_invisible->setChecked(settings.m_invisible);
    m_updateNick = new QCheckBox(FromStr(Str::KeepChangedNickBox), this);
    m_updateNick->setChecked(settings.m_updateNick);
    m_autoChangeNick = new QCheckBox(FromStr(Str::AutoChangeNickBox), this);
    m_autoChangeNick->setChecked(settings.m_autoChangeNick);

    auto *serverGroup = new QGroupBox(FromStr(Str::ServersGroup), this);
    auto *serverRow = new QHBoxLayout;
    auto *serverLabel = new QLabel(FromStr(Str::DefaultServerLabel), serverGroup);
    serverLabel->setBuddy(m_serverBox);
    serverRow->addWidget(serverLabel);
    serverRow->addWidget(m_serverBox, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_add);
    buttonRow->addWidget(m_edit);
    buttonRow->addWidget(m_delete);
    auto *note = new QLabel(FromStr(Str::ServersSavedOnOk), serverGroup);
    note->setWordWrap(true);
    auto *serverLayout = new QVBoxLayout(serverGroup);
    serverLayout->addLayout(serverRow);
    serverLayout->addLayout(buttonRow);
    serverLayout->addWidget(note);

    auto *identityGroup = new QGroupBox(FromStr(Str::IdentityGroup), this);
    auto *identity = new QFormLayout(identityGroup);
    identity->addRow(FromStr(Str::FullNameLabel), m_fullName);
    identity->addRow(FromStr(Str::EmailLabel), m_email);
    identity->addRow(FromStr(Str::NickLabel), m_nick);
    identity->addRow(QString(), m_invisible);
    identity->addRow(QString(), m_updateNick);
    identity->addRow(QString(), m_autoChangeNick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(serverGroup);
    layout->addWidget(identityGroup);
    layout->addStretch(1);

    connect(m_add, &QPushButton::clicked, this, &BasicSettingsPage::AddServer);
    connect(m_edit, &QPushButton::clicked, this, &BasicSettingsPage::EditServer);
    connect(m_delete, &QPushButton::clicked, this, &BasicSettingsPage::DeleteServer);

    m_servers.Load();
    const std::string defaultServer = FavouriteServers::DefaultServer();
    const std::vector<std::string> names = m_servers.Names();
    FillServers(defaultServer.empty() && !names.empty() ? names.front() : defaultServer);
}

void BasicSettingsPage::FillServers(const std::string &select)
{
    m_serverBox->clear();
    int selected = -1;
    for (const std::string &name : m_servers.Names()) {
        if (selected < 0 && !select.empty() && EqualIgnoringCase(name, select))
            selected = m_serverBox->count();
        m_serverBox->addItem(FromUtf8(name));
    }
    m_serverBox->setCurrentIndex(selected);
}

std::string BasicSettingsPage::SelectedServer() const
{
    return m_serverBox->currentIndex() < 0 ? std::string() : m_serverBox->currentText().toStdString();
}

void BasicSettingsPage::AddServer()
{
    ServerDialog dialog(m_shell, m_servers, std::string(), this);
    dialog.exec();
    FillServers(SelectedServer());
}

void BasicSettingsPage::EditServer()
{
    const std::string selected = SelectedServer();
    if (selected.empty()) {
        m_shell.Beep(0);
        return;
    }
    ServerDialog dialog(m_shell, m_servers, selected, this);
    if (dialog.exec() == QDialog::Accepted)
        FillServers(dialog.Entry().name); // the default follows a renamed server
}

void BasicSettingsPage::DeleteServer()
{
    const std::string selected = SelectedServer();
    if (selected.empty()) {
        m_shell.Beep(0);
        return;
    }
    m_servers.Remove(selected);
    FillServers(std::string());
}

QLineEdit *BasicSettingsPage::FieldAtFault(Refusal &reason) const
{
    // No nick is a choice here: registration then sends its default one.
    const std::string nick = m_nick->text().toStdString();
    if (!nick.empty() && (reason = CheckNick(nick)))
        return m_nick;
    if ((reason = CheckEmail(m_email->text().toStdString())))
        return m_email;
    return nullptr;
}

bool BasicSettingsPage::SaveServers()
{
    m_servers.SetDefault(SelectedServer());
    return m_servers.Save();
}

void BasicSettingsPage::Apply(AppSettings &settings) const
{
    settings.m_fullName = m_fullName->text().toStdString();
    settings.m_email = m_email->text().toStdString();
    settings.m_nick = m_nick->text().toStdString();
    settings.m_invisible = m_invisible->isChecked();
    settings.m_updateNick = m_updateNick->isChecked();
    settings.m_autoChangeNick = m_autoChangeNick->isChecked();
}
