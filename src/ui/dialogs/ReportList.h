#pragma once

#include "text/Strings.h"

#include <QTreeWidget>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// The report view of the list dialogs: columns with fixed titles and widths,
// whole rows selected one at a time. A row can carry the key of the record it
// shows (a nick, a channel, an address, a mask): the dialog looks the record
// up by its key, and the selection stays on it when the rows are shown anew.
class ReportList : public QTreeWidget
{
    Q_OBJECT

public:
    struct Column
    {
        StrText title;
        int width;
        bool alignRight = false;
    };
    // One row: its record's key and its cells.
    struct Row
    {
        std::string key;
        QStringList cells;
    };

    ReportList(std::initializer_list<Column> columns, QWidget *parent = nullptr);

    // Appends a row; key is kept with it.
    QTreeWidgetItem *AddRow(const QStringList &cells, const std::string &key = {});
    // Shows these rows instead of those shown; the selection stays on the row
    // of the same key and the view where it was.
    void ShowRows(const std::vector<Row> &rows);
    // Shows the records, a row each made by rowOf, unless they are the ones
    // shown last; shown keeps the records shown (reset it to show anew).
    template <typename Record, typename RowOf>
    void FollowRecords(const std::vector<Record> &records, std::optional<std::vector<Record>> &shown, RowOf rowOf)
    {
        if (shown == records)
            return;
        std::vector<Row> rows;
        rows.reserve(records.size());
        for (const Record &record : records)
            rows.push_back(rowOf(record));
        ShowRows(rows);
        shown = records;
    }
    // Columns whose text is wider than the given width grow to fit it.
    void WidenColumnsToContents();

    // The key of a row, of the selected row ("" without a selection).
    static std::string Key(const QTreeWidgetItem *row);
    std::string SelectedKey() const;
    QTreeWidgetItem *SelectedRow() const;
    // Selects the first row, if any.
    void SelectFirst();
    // Selects the row of this key.
    void SelectKey(const std::string &key);

private:
    std::vector<bool> m_alignRight;
};
