#include "search/ChannelSearchWindow.h"

#include "shell/OverwriteQuestion.h"

#include "app/CommandIds.h"
#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "conversation/Shell.h"
#include "search/SearchBar.h"
#include "search/SearchListModel.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"
#include "widgets/RowList.h"
#include "widgets/Utf8Text.h"

#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const char *const kSavedListName = "ChannelsList.Txt";

bool DefaultPrompt(const QString &title, const QString &prompt, QString &text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, text, &ok);
    if (ok)
        text = answer;
    return ok;
}

} // namespace

ChannelSearchWindow::ChannelSearchWindow(SessionTable &sessions, const std::string &sessionKey, const std::string &networkName,
                           QWidget *parent)
    : ChildWindow(sessionKey, "search", parent)
    , m_sessions(sessions)
    , m_networkName(networkName)
    , m_bar(new SearchBar(this))
    , m_rows(new SearchListModel(this))
    , m_view(new QTreeView(this))
    , m_prompt(DefaultPrompt)
{
    m_view->setModel(m_rows);
    SetUpRowList(m_view);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView *header = m_view->header();
    header->setSectionsClickable(true);
    header->resizeSection(ChannelListEntry::ChannelColumn, 100);
    header->resizeSection(ChannelListEntry::UsersColumn, 80);
    header->resizeSection(ChannelListEntry::TopicColumn, 200);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_view, 1);

    m_batchTimer.setSingleShot(true);
    m_batchTimer.setInterval(kBatchIntervalMs);
    connect(&m_batchTimer, &QTimer::timeout, this, &ChannelSearchWindow::FlushChannels);
    connect(header, &QHeaderView::sectionClicked, this, &ChannelSearchWindow::SortBy);
    connect(m_view, &QTreeView::doubleClicked, this, [this] { JoinSelected(); });
    connect(m_view, &QTreeView::customContextMenuRequested, this,
            [this](const QPoint &pos) { emit contextMenuRequested(m_view->viewport()->mapToGlobal(pos)); });
    connect(m_bar, &SearchBar::startRequested, this, &ChannelSearchWindow::StartSearch);
    connect(m_bar, &SearchBar::stopRequested, this, &ChannelSearchWindow::StopSearch);
    connect(m_bar, &SearchBar::filterChanged, this, &ChannelSearchWindow::ApplyFilter);
    ApplyFilter();
}

ChannelSearchWindow::~ChannelSearchWindow() = default;

// ---- the list ----

void ChannelSearchWindow::BeginList()
{
    m_running = true;
    m_bar->SetRunning(true);
    m_batchTimer.stop();
    m_rows->Clear();
    UpdateCaption();
}

void ChannelSearchWindow::AddChannel(const std::string &channel, uint32_t users, const std::string &topic)
{
    m_rows->Append(ChannelListEntry::Make(channel, users, topic));
    if (!m_batchTimer.isActive())
        m_batchTimer.start();
}

void ChannelSearchWindow::EndList()
{
    FlushChannels();
    m_running = false;
    m_bar->SetRunning(false);
}

void ChannelSearchWindow::FlushChannels()
{
    m_batchTimer.stop();
    if (m_rows->Flush())
        UpdateCaption();
}

int ChannelSearchWindow::FoundCount() const
{
    return m_rows->rowCount();
}

int ChannelSearchWindow::TotalCount() const
{
    return m_rows->TakenCount();
}

QString ChannelSearchWindow::Caption() const
{
    return FromUtf8(Strings::Format(Str::SearchProgress, m_networkName.c_str(), FoundCount(), TotalCount()));
}

void ChannelSearchWindow::UpdateCaption()
{
    setWindowTitle(Caption());
}

void ChannelSearchWindow::SortBy(int column)
{
    const Qt::SortOrder order = m_ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_rows->Sort(static_cast<ChannelListEntry::Column>(column), order);
    m_view->header()->setSortIndicator(column, order);
    m_view->header()->setSortIndicatorShown(true);
    m_ascending = !m_ascending;
}

void ChannelSearchWindow::ApplyFilter()
{
    // A new filter makes a new list; the selected channel stays selected
    // when it is still in it.
    const ChannelListEntry *selected = SelectedEntry();
    const std::string channel = selected ? selected->channel : std::string();
    m_rows->SetFilter(m_bar->Filter());
    const int row = channel.empty() ? -1 : m_rows->FindRow(channel);
    if (row >= 0)
        m_view->setCurrentIndex(m_rows->index(row, 0));
    UpdateCaption();
}

// ---- the bar ----

void ChannelSearchWindow::StartSearch()
{
    if (!GetSession())
        return;
    m_batchTimer.stop();
    m_rows->Clear();
    ApplyFilter();
    RunLine("/search start");
}

void ChannelSearchWindow::StopSearch()
{
    if (Session *session = GetSession())
        session->ChannelList().Stop();
    else
        EndList();
}

// ---- closing ----

bool ChannelSearchWindow::MayClose()
{
    if (!m_running)
        return true;
    if (Shell *shell = m_sessions.GetShell())
        shell->MessageBox(Strings::Get(Str::SearchCloseRefused), "Brimo", Shell::ButtonsOk);
    return false;
}

bool ChannelSearchWindow::CloseRequested()
{
    if (!MayClose())
        return false;
    if (!GetSession())
        return true;
    // The search command closes the window (CloseNow).
    RunLine("/search close");
    return false;
}

// ---- commands ----

Session *ChannelSearchWindow::GetSession() const
{
    return m_sessions.FindSession(SessionNameText());
}

int ChannelSearchWindow::RunLine(const std::string &line)
{
    Session *session = GetSession();
    return session ? session->Command(WindowNameText(), 0, line) : 0;
}

const ChannelListEntry *ChannelSearchWindow::SelectedEntry() const
{
    const QModelIndexList selected = m_view->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return nullptr;
    return &m_rows->EntryAt(selected.first().row());
}

const ChannelListEntry *ChannelSearchWindow::SelectedSingleChannel() const
{
    const ChannelListEntry *entry = SelectedEntry();
    return entry && entry->IsSingleChannel() ? entry : nullptr;
}

bool ChannelSearchWindow::UpdateCommand(int id, bool &enabled, bool &checked) const
{
    checked = false;
    const Session *session = GetSession();
    switch (id) {
    case CommandId::ChannelSearch:
        enabled = session && session->IsConnected();
        return true;
    case CommandId::SearchJoin:
    case CommandId::SearchAddFavourite:
    case CommandId::SearchShowUsers:
    case CommandId::SearchSendMessage:
        enabled = session && SelectedSingleChannel();
        return true;
    case CommandId::SearchSaveList:
        enabled = session && FoundCount() > 0;
        return true;
    default:
        return false;
    }
}

bool ChannelSearchWindow::HandleCommand(int id)
{
    bool enabled = false;
    bool checked = false;
    if (!UpdateCommand(id, enabled, checked))
        return false;
    if (!enabled)
        return true;
    switch (id) {
    case CommandId::ChannelSearch:
        RunLine("/search");
        break;
    case CommandId::SearchJoin:
        JoinSelected();
        break;
    case CommandId::SearchAddFavourite:
        AddSelectedToFavourites();
        break;
    case CommandId::SearchShowUsers:
        ShowSelectedUsers();
        break;
    case CommandId::SearchSendMessage:
        SendMessageToSelected();
        break;
    case CommandId::SearchSaveList:
        SaveList();
        break;
    default:
        break;
    }
    return true;
}

void ChannelSearchWindow::JoinSelected()
{
    if (const ChannelListEntry *entry = SelectedSingleChannel())
        RunLine("/join " + entry->channel);
}

void ChannelSearchWindow::ShowSelectedUsers()
{
    if (const ChannelListEntry *entry = SelectedSingleChannel())
        RunLine("/quote NAMES " + entry->channel);
}

void ChannelSearchWindow::SendMessageToSelected()
{
    const ChannelListEntry *entry = SelectedSingleChannel();
    if (!entry)
        return;
    const std::string channel = entry->channel; // the list may change while the dialog is open
    QString text;
    if (!m_prompt(FromUtf8(Strings::Get(Str::SendMessageTitle)), FromUtf8(Strings::Get(Str::SendMessagePrompt)), text)
        || text.isEmpty())
        return;
    RunLine("/msg " + channel + " " + text.toStdString());
}

void ChannelSearchWindow::AddSelectedToFavourites()
{
    const ChannelListEntry *entry = SelectedSingleChannel();
    Session *session = GetSession();
    Shell *shell = m_sessions.GetShell();
    if (!entry || !session || !shell)
        return;
    // A favourite already there keeps its auto-join flag and key.
    const ConfigFailureToldByCaller toldHere;
    const FavouriteChannels::AddResult added = FavouriteChannels::Add(session->ConfName(), entry->channel, false);
    if (added == FavouriteChannels::AddResult::Refused) {
        shell->MessageBox(Strings::Format(Str::FavouriteNotStored, entry->channel.c_str()), "Brimo", Shell::ButtonsOk);
        return;
    }
    if (added == FavouriteChannels::AddResult::Added)
        m_sessions.DebugLog("Add To reg: [%s] %s=%s 0", FavouriteChannels::GroupSection(session->ConfName()).c_str(),
                            entry->channel.c_str(), entry->channel.c_str());
    shell->RefreshShell(Shell::RefreshMenus);
}

void ChannelSearchWindow::SaveList()
{
    Shell *shell = m_sessions.GetShell();
    if (!shell)
        return;
    const std::string path = shell->SaveFileDialog(ExeDirectory(), kSavedListName, Strings::Get(Str::SearchListFilter));
    if (path.empty() || !MayOverwrite(*shell, path))
        return;
    if (!WriteList(path))
        shell->MessageBox(Strings::Format(Str::ChannelListNotSaved, path.c_str()), "Brimo", Shell::ButtonsOk);
}

bool ChannelSearchWindow::WriteList(const std::string &path) const
{
    QFile file(FromUtf8(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int row = 0; row < m_rows->rowCount(); ++row) {
        const std::string line = m_rows->EntryAt(row).SavedLine();
        if (file.write(line.data(), static_cast<qint64>(line.size())) != static_cast<qint64>(line.size()))
            return false;
    }
    return file.flush();
}
