#include "search/SearchFrame.h"

#include "config/Strings.h"
#include "text/IrcCodes.h"
#include "text/Words.h"
#include "widgets/Utf8Text.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Sorts the users column by number, the others as text.
class SearchItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == 1)
            return text(1).toInt() < other.text(1).toInt();
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};

} // namespace

CSearchFrame::CSearchFrame(const std::string &sessionKey, const std::string &networkName, QWidget *parent)
    : QWidget(parent), m_sessionKey(sessionKey), m_networkName(networkName), m_list(new QTreeWidget(this))
{
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({FromUtf8(Strings::Get(Str::SearchChannelColumn)),
                             FromUtf8(Strings::Get(Str::SearchUsersColumn)),
                             FromUtf8(Strings::Get(Str::SearchTopicColumn))});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(0, Qt::AscendingOrder);
    m_list->header()->resizeSection(0, 100);
    m_list->header()->resizeSection(1, 80);
    m_list->header()->resizeSection(2, 200);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    UpdateCaption();
}

void CSearchFrame::AddRow(const std::string &row)
{
    const std::string channel = GetWord(row, 1);
    if (channel.empty())
        return;
    ++m_total;
    auto *item = new SearchItem();
    item->setText(0, FromUtf8(channel));
    item->setText(1, QString::number(std::atoi(GetWord(row, 2).c_str())));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(2, FromUtf8(StripCodes(GetRest(row, 3))));
    m_list->addTopLevelItem(item);
    UpdateCaption();
}

void CSearchFrame::EndList()
{
    m_running = false;
    UpdateCaption();
}

int CSearchFrame::FoundCount() const
{
    return m_list->topLevelItemCount();
}

QString CSearchFrame::Caption() const
{
    return FromUtf8(Strings::Format(Str::SearchProgress, m_networkName.c_str(), FoundCount(), m_total));
}

void CSearchFrame::UpdateCaption()
{
    setWindowTitle(Caption());
    emit captionChanged(windowTitle());
}
