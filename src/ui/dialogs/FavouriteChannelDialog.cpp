#include "dialogs/FavouriteChannelDialog.h"

#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "config/FavouriteServers.h"
#include "conversation/Shell.h"
#include "text/CaseFold.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include <vector>

FavouriteChannelDialog::FavouriteChannelDialog(Shell &shell, const std::string &server, const std::string &oldName, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_oldServer(oldName.empty() ? std::string() : server), m_oldName(oldName)
{
    setWindowTitle(FromStr(Str::FavouriteChannelTitle));
    m_server = new QComboBox(this);
    for (const std::string &name : FavouriteServers::SavedNames())
        m_server->addItem(FromUtf8(name));
    if (m_server->findText(FromUtf8(server)) < 0 && !server.empty())
        m_server->addItem(FromUtf8(server));
    m_server->setCurrentIndex(m_server->findText(FromUtf8(server)));
    m_name = new QLineEdit(this);
    m_key = new QLineEdit(this);
    m_autoJoin = new QCheckBox(FromStr(Str::AutoJoinLabel), this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FavouriteChannelDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FavouriteChannelDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(FromStr(Str::ServerLabel), m_server);
    form->addRow(FromStr(Str::ChannelNameLabel), m_name);
    form->addRow(FromStr(Str::ChannelKeyLabel), m_key);
    form->addRow(m_autoJoin);
    form->addRow(buttons);

    if (!oldName.empty()) {
        const FavouriteChannel channel = FavouriteChannels::Read(server, oldName);
        m_name->setText(FromUtf8(channel.name));
        m_autoJoin->setChecked(channel.autoJoin);
        m_key->setText(FromUtf8(channel.key));
    }
    m_name->setFocus();
    setMinimumWidth(360);
}

bool FavouriteChannelDialog::MayTakeName(const std::string &server, const std::string &name)
{
    const bool ownLine = EqualIgnoringCase(name, m_oldName) && EqualIgnoringCase(server, m_oldServer);
    if (ownLine || !FavouriteChannels::Contains(server, name))
        return true;
    return m_shell.MessageBox(Strings::Format(Str::ReplaceFavouriteChannel, name.c_str()), std::string(),
                              Shell::ButtonsYesNo)
        == Shell::AnswerYes;
}

void FavouriteChannelDialog::accept()
{
    FavouriteChannel channel;
    channel.name = m_name->text().trimmed().toStdString();
    channel.autoJoin = m_autoJoin->isChecked();
    channel.key = m_key->text().toStdString();
    const std::string server = m_server->currentText().toStdString();
    if (const Refusal reason = CheckChannelName(channel.name)) {
        Refuse(Strings::Get(*reason));
        return;
    }
    if (!MayTakeName(server, channel.name)) {
        m_name->setFocus();
        return;
    }
    const ConfigFailureToldByCaller toldHere;
    if (!FavouriteChannels::Write(server, channel, m_oldServer, m_oldName)) {
        Refuse(Strings::Format(Str::FavouriteChannelNotWritten, ConfigFilePath().c_str()));
        return;
    }
    QDialog::accept();
}

void FavouriteChannelDialog::Refuse(const std::string &why)
{
    m_shell.Beep(0);
    m_shell.MessageBox(why, std::string(), Shell::ButtonsOk);
    m_name->setFocus();
    m_name->selectAll();
}
