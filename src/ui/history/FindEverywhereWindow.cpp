#include "history/FindEverywhereWindow.h"

#include "history/FoundLineDelegate.h"
#include "history/HistoryIndex.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFoundRole = Qt::UserRole + 1; // index into the lines found; -1 for a group
constexpr int kProgressSteps = 1000;

QString Text(StrId id)
{
    return FromUtf8(Strings::Get(id));
}

} // namespace

FindEverywhereWindow::FindEverywhereWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_query(new QLineEdit)
    , m_find(new QPushButton(Text(Str::FindButton)))
    , m_progressLabel(new QLabel(Text(Str::FindRebuilding)))
    , m_progress(new QProgressBar)
    , m_results(new QTreeWidget)
    , m_status(new QLabel)
    , m_more(new QPushButton(Text(Str::FindMoreButton)))
{
    setWindowTitle(Text(Str::FindEverywhereTitle));
    m_query->setPlaceholderText(Text(Str::FindQueryPlaceholder));
    m_query->setToolTip(Text(Str::FindQueryHelp));
    m_query->setClearButtonEnabled(true);
    m_progressLabel->setTextFormat(Qt::PlainText);
    m_progress->setRange(0, kProgressSteps);
    m_status->setTextFormat(Qt::PlainText);
    m_results->setHeaderHidden(true);
    m_results->setColumnCount(1);
    m_results->setUniformRowHeights(false);
    m_results->setRootIsDecorated(true);
    m_results->setItemDelegate(new FoundLineDelegate(m_results));
    m_results->setTextElideMode(Qt::ElideRight);
    m_more->setVisible(false);

    auto *queryRow = new QHBoxLayout;
    queryRow->addWidget(m_query, 1);
    queryRow->addWidget(m_find);
    auto *progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progressLabel);
    progressRow->addWidget(m_progress, 1);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_more);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(queryRow);
    layout->addLayout(progressRow);
    layout->addWidget(m_results, 1);
    layout->addLayout(statusRow);
    resize(820, 560);

    connect(m_query, &QLineEdit::returnPressed, this, &FindEverywhereWindow::RunQuery);
    connect(m_find, &QPushButton::clicked, this, &FindEverywhereWindow::RunQuery);
    connect(m_more, &QPushButton::clicked, this, [this] { AskPage(m_next); });
    connect(m_results, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { OpenItem(item); });
    FollowProgress();
    ShowStatus();
}

void FindEverywhereWindow::SetIndex(HistoryIndex *index)
{
    if (m_index)
        disconnect(m_index, nullptr, this, nullptr);
    m_index = index;
    if (m_index)
        connect(m_index, &HistoryIndex::progressChanged, this, &FindEverywhereWindow::FollowProgress);
    ++m_generation; // what the old index still answers is not shown
    m_searching = false;
    FollowProgress();
    ShowStatus();
}

void FindEverywhereWindow::Search(const QString &text)
{
    m_query->setText(text);
    RunQuery();
}

void FindEverywhereWindow::RunQuery()
{
    ++m_generation;
    m_results->clear();
    m_groups.clear();
    m_found.clear();
    m_hasMore = false;
    m_searching = false;
    const ParsedLogQuery parsed = ParseLogQuery(m_query->text().toStdString());
    m_error = FromUtf8(parsed.error);
    m_current = parsed.query;
    if (m_error.isEmpty() && m_index)
        AskPage(0);
    ShowStatus();
}

void FindEverywhereWindow::AskPage(int64_t before)
{
    if (!m_index)
        return;
    m_searching = true;
    const int generation = m_generation;
    QPointer<FindEverywhereWindow> self(this);
    m_index->Find(m_current, before, kPageLines, [self, generation](const LogFindResult &page) {
        if (self && generation == self->m_generation)
            self->ShowPage(page);
    });
    ShowStatus();
}

void FindEverywhereWindow::ShowPage(const LogFindResult &page)
{
    m_searching = false;
    m_hasMore = page.more;
    m_next = page.next;
    m_results->setUpdatesEnabled(false);
    for (const LogFound &found : page.lines)
        AddLine(found);
    m_results->setUpdatesEnabled(true);
    ShowStatus();
}

// Groups keep the order in which they were first found (the newest first);
// inside a group the lines stand in the order of the day.
void FindEverywhereWindow::AddLine(const LogFound &found)
{
    QTreeWidgetItem *&group = m_groups[{found.file.network, found.file.window, found.file.day}];
    if (!group) {
        group = new QTreeWidgetItem(m_results);
        group->setData(0, kFoundRole, -1);
        group->setFlags(Qt::ItemIsEnabled);
        QFont bold = group->font(0);
        bold.setBold(true);
        group->setFont(0, bold);
        group->setExpanded(true);
    }
    const int index = int(m_found.size());
    m_found.push_back(found);
    auto *item = new QTreeWidgetItem;
    item->setData(0, kFoundRole, index);
    item->setText(0,
                  FromUtf8(found.context.before) + QLatin1Char('\n') + FromUtf8(found.context.line) + QLatin1Char('\n')
                      + FromUtf8(found.context.after));
    item->setToolTip(0, FromUtf8(found.context.line));
    int at = group->childCount();
    while (at > 0 && m_found[size_t(group->child(at - 1)->data(0, kFoundRole).toInt())].offset > found.offset)
        --at;
    group->insertChild(at, item);
    group->setText(
        0,
        FromUtf8(Strings::Format(Str::FindGroup, found.file.NetworkName().c_str(), found.file.WindowName().c_str(),
                                 found.file.day.c_str(), group->childCount())));
}

const LogFound *FindEverywhereWindow::FoundOf(const QTreeWidgetItem *item) const
{
    const int index = item ? item->data(0, kFoundRole).toInt() : -1;
    return index >= 0 && size_t(index) < m_found.size() ? &m_found[size_t(index)] : nullptr;
}

void FindEverywhereWindow::OpenItem(QTreeWidgetItem *item)
{
    if (const LogFound *found = FoundOf(item))
        emit lineOpened(*found);
}

void FindEverywhereWindow::ShowStatus()
{
    m_more->setVisible(m_hasMore && !m_searching);
    QString status;
    if (!m_index)
        status = Text(Str::FindLogsOff);
    else if (m_query->text().trimmed().isEmpty())
        status.clear();
    else if (!m_error.isEmpty())
        status = m_error;
    else if (m_searching)
        status = Text(Str::FindSearching);
    else if (m_found.empty())
        status = Text(Str::FindNothing);
    else
        status = FromUtf8(Strings::Format(m_hasMore ? Str::FindEverywhereCountMore : Str::FindEverywhereCount, int(m_found.size())));
    m_status->setText(status);
}

void FindEverywhereWindow::FollowProgress()
{
    const bool busy = m_index && m_index->Progress().IsBusy();
    const std::string error = m_index ? m_index->Progress().error : std::string();
    m_progress->setVisible(busy);
    m_progressLabel->setVisible(busy || !error.empty());
    if (!error.empty())
        m_progressLabel->setText(FromUtf8(Strings::Format(Str::LogIndexFailed, error.c_str())));
    else
        m_progressLabel->setText(Text(Str::FindRebuilding));
    if (busy) {
        const IndexProgress &progress = m_index->Progress();
        m_progress->setValue(int(progress.done * kProgressSteps / std::max<int64_t>(1, progress.total)));
    }
}
