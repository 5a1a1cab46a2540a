#include "dialogs/ReportList.h"

#include "text/Words.h"
#include "widgets/Utf8Text.h"

#include <QHeaderView>

#include <algorithm>
#include <unordered_set>

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;

} // namespace

CReportList::CReportList(std::initializer_list<Column> columns, QWidget *parent) : QTreeWidget(parent)
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

QTreeWidgetItem *CReportList::AddRow(const QStringList &cells, const std::string &record)
{
    auto *row = new QTreeWidgetItem(this, cells);
    row->setData(0, kRecordRole, QByteArray::fromStdString(record));
    for (size_t k = 0; k < m_alignRight.size(); ++k) {
        if (m_alignRight[k])
            row->setTextAlignment(static_cast<int>(k), Qt::AlignRight | Qt::AlignVCenter);
    }
    return row;
}

void CReportList::Sync(const std::vector<std::string> &records, const RowCells &cells)
{
    const std::unordered_set<std::string> wanted(records.begin(), records.end());
    std::unordered_set<std::string> shown;
    for (int k = topLevelItemCount() - 1; k >= 0; --k) {
        const std::string record = Record(topLevelItem(k));
        if (wanted.count(record) && !shown.count(record))
            shown.insert(record);
        else
            delete takeTopLevelItem(k);
    }
    for (const std::string &record : records) {
        if (shown.insert(record).second)
            AddRow(cells(record), record);
    }
}

void CReportList::Fill(const std::vector<std::string> &records, const RowCells &cells)
{
    clear();
    Sync(records, cells);
    SelectFirst();
}

std::string CReportList::Record(const QTreeWidgetItem *row)
{
    return row ? row->data(0, kRecordRole).toByteArray().toStdString() : std::string();
}

QTreeWidgetItem *CReportList::SelectedRow() const
{
    const QList<QTreeWidgetItem *> rows = selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

std::string CReportList::SelectedRecord() const
{
    return Record(SelectedRow());
}

void CReportList::SelectFirst()
{
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
}

void CReportList::SelectKey(const std::string &key)
{
    for (int k = 0; k < topLevelItemCount(); ++k) {
        if (GetWord(Record(topLevelItem(k)), 1) == key) {
            setCurrentItem(topLevelItem(k));
            return;
        }
    }
}
