#include "dialogs/FavouriteChannelsDialog.h"

#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "config/FavouriteServers.h"
#include "conversation/Shell.h"
#include "dialogs/FavouriteChannelDialog.h"
#include "dialogs/ListDialogLayout.h"
#include "dialogs/ReportList.h"
#include "widgets/Utf8Text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include <vector>

FavouriteChannelsDialog::FavouriteChannelsDialog(Shell &shell, const std::string &server, QWidget *parent)
    : QDialog(parent), m_shell(shell)
{
    setWindowTitle(FromStr(Str::FavouriteChannelsTitle));
    m_servers = new QComboBox(this);
    for (const std::string &name : FavouriteServers::SavedNames())
        m_servers->addItem(FromUtf8(name));
    const std::string wanted = server.empty() ? FavouriteServers::DefaultServer() : server;
    m_servers->setCurrentIndex(std::max(0, m_servers->findText(FromUtf8(wanted))));

    m_list = new ReportList({{Str::ChannelNameColumn, 100}}, this);
    m_add = new QPushButton(FromStr(Str::AddButton), this);
    m_edit = new QPushButton(FromStr(Str::EditButton), this);
    m_delete = new QPushButton(FromStr(Str::DeleteButton), this);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto *serverRow = new QFormLayout;
    serverRow->addRow(FromStr(Str::ServerLabel), m_servers);
    LayOutListDialog(*this, serverRow, m_list, {m_add, m_edit, m_delete}, close);

    connect(m_servers, &QComboBox::currentIndexChanged, this, &FavouriteChannelsDialog::FillChannels);
    connect(m_add, &QPushButton::clicked, this, &FavouriteChannelsDialog::AddChannel);
    connect(m_edit, &QPushButton::clicked, this, &FavouriteChannelsDialog::EditChannel);
    connect(m_delete, &QPushButton::clicked, this, &FavouriteChannelsDialog::DeleteChannel);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &FavouriteChannelsDialog::EditChannel);
    connect(close, &QDialogButtonBox::rejected, this, &FavouriteChannelsDialog::reject);
    FillChannels();
    m_list->setFocus();
    resize(420, 320);
}

std::string FavouriteChannelsDialog::Server() const
{
    return m_servers->currentText().toStdString();
}

void FavouriteChannelsDialog::FillChannels()
{
    m_list->clear();
    for (const std::string &name : FavouriteChannels::Names(Server()))
        m_list->AddRow({FromUtf8(name)}, name);
    m_list->SelectFirst();
}

void FavouriteChannelsDialog::AddChannel()
{
    OpenChannelDialog({});
}

void FavouriteChannelsDialog::EditChannel()
{
    const std::string name = m_list->SelectedKey();
    if (name.empty()) {
        m_shell.Beep(0);
        return;
    }
    OpenChannelDialog(name);
}

void FavouriteChannelsDialog::DeleteChannel()
{
    const std::string name = m_list->SelectedKey();
    if (name.empty()) {
        m_shell.Beep(0);
        return;
    }
    FavouriteChannels::Remove(Server(), name);
    FillChannels();
}

void FavouriteChannelsDialog::OpenChannelDialog(const std::string &oldName)
{
    auto *dialog = new FavouriteChannelDialog(m_shell, Server(), oldName, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, &FavouriteChannelsDialog::FillChannels);
    dialog->open();
}
