#include "dialogs/ReportList.h"

#include "text/Words.h"
#include "widgets/Utf8Text.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;

} // namespace

ReportList::ReportList(std::initializer_list<Column> columns, QWidget *parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumnCount(static_cast<int>(columns.size()));
    QStringList titles;
    int index = 0;
    for (const Column &column : columns) {
        titles << FromStr(column.title);
        m_alignRight.push_back(column.alignRight);
        header()->resizeSection(index++, column.width);
    }
    setHeaderLabels(titles);
    header()->setStretchLastSection(true);
    for (size_t k = 0; k < m_alignRight.size(); ++k) {
        if (m_alignRight[k])
            headerItem()->setTextAlignment(static_cast<int>(k), Qt::AlignRight | Qt::AlignVCenter);
    }
}

QTreeWidgetItem *ReportList::AddRow(const QStringList &cells, const std::string &record)
{
    auto *row = new QTreeWidgetItem(this, cells);
    row->setData(0, kRecordRole, QByteArray::fromStdString(record));
    for (size_t k = 0; k < m_alignRight.size(); ++k) {
        if (m_alignRight[k])
            row->setTextAlignment(static_cast<int>(k), Qt::AlignRight | Qt::AlignVCenter);
    }
    return row;
}

void ReportList::Sync(const std::vector<std::string> &records, const RowCells &cells)
{
    if (ShownRecords() == records)
        return;
    // Rebuilt in the list's order; the selection stays on the same key (an
    // entry whose fields changed stays selected) and the view where it was.
    const std::string selectedKey = GetWord(SelectedRecord(), 1);
    const int scrolled = verticalScrollBar()->value();
    clear();
    for (const std::string &record : records)
        AddRow(cells(record), record);
    if (!selectedKey.empty())
        SelectKey(selectedKey);
    WidenColumnsToContents();
    verticalScrollBar()->setValue(scrolled);
}

std::vector<std::string> ReportList::ShownRecords() const
{
    std::vector<std::string> shown;
    shown.reserve(static_cast<size_t>(topLevelItemCount()));
    for (int k = 0; k < topLevelItemCount(); ++k)
        shown.push_back(Record(topLevelItem(k)));
    return shown;
}

void ReportList::WidenColumnsToContents()
{
    // The given widths are the least a column gets; a longer text widens it.
    for (int column = 0; column + 1 < columnCount(); ++column)
        header()->resizeSection(column, std::max(header()->sectionSize(column), sizeHintForColumn(column)));
}

std::string ReportList::Record(const QTreeWidgetItem *row)
{
    return row ? row->data(0, kRecordRole).toByteArray().toStdString() : std::string();
}

QTreeWidgetItem *ReportList::SelectedRow() const
{
    const QList<QTreeWidgetItem *> rows = selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

std::string ReportList::SelectedRecord() const
{
    return Record(SelectedRow());
}

void ReportList::SelectFirst()
{
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
}

void ReportList::SelectKey(const std::string &key)
{
    for (int k = 0; k < topLevelItemCount(); ++k) {
        if (GetWord(Record(topLevelItem(k)), 1) == key) {
            setCurrentItem(topLevelItem(k));
            return;
        }
    }
}
