#include "dialogs/ReportList.h"

#include "widgets/Utf8Text.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;

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

QTreeWidgetItem *ReportList::AddRow(const QStringList &cells, const std::string &key)
{
    auto *row = new QTreeWidgetItem(this, cells);
    row->setData(0, kKeyRole, QByteArray::fromStdString(key));
    for (size_t k = 0; k < m_alignRight.size(); ++k) {
        if (m_alignRight[k])
            row->setTextAlignment(static_cast<int>(k), Qt::AlignRight | Qt::AlignVCenter);
    }
    return row;
}

void ReportList::ShowRows(const std::vector<Row> &rows)
{
    const std::string selectedKey = SelectedKey();
    const int scrolled = verticalScrollBar()->value();
    clear();
    for (const Row &row : rows)
        AddRow(row.cells, row.key);
    if (!selectedKey.empty())
        SelectKey(selectedKey);
    WidenColumnsToContents();
    verticalScrollBar()->setValue(scrolled);
}

void ReportList::WidenColumnsToContents()
{
    // The given widths are the least a column gets; a longer text widens it.
    for (int column = 0; column + 1 < columnCount(); ++column)
        header()->resizeSection(column, std::max(header()->sectionSize(column), sizeHintForColumn(column)));
}

std::string ReportList::Key(const QTreeWidgetItem *row)
{
    return row ? row->data(0, kKeyRole).toByteArray().toStdString() : std::string();
}

QTreeWidgetItem *ReportList::SelectedRow() const
{
    const QList<QTreeWidgetItem *> rows = selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

std::string ReportList::SelectedKey() const
{
    return Key(SelectedRow());
}

void ReportList::SelectFirst()
{
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
}

void ReportList::SelectKey(const std::string &key)
{
    for (int k = 0; k < topLevelItemCount(); ++k) {
        if (Key(topLevelItem(k)) == key) {
            setCurrentItem(topLevelItem(k));
            return;
        }
    }
}
