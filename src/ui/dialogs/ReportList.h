#pragma once

#include "text/Strings.h"

#include <QTreeWidget>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// The report view of the list dialogs: columns with fixed titles and widths,
// whole rows selected one at a time. A row can carry the record it shows, so
// that the list follows a changing list of records (Sync).
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
    // The cells of one row for a record.
    using RowCells = std::function<QStringList(const std::string &record)>;

    ReportList(std::initializer_list<Column> columns, QWidget *parent = nullptr);

    // Appends a row; record is kept with it.
    QTreeWidgetItem *AddRow(const QStringList &cells, const std::string &record = {});
    // Shows records in their order when they differ from the rows shown;
    // the selection stays on the row of the same key (first word).
    void Sync(const std::vector<std::string> &records, const RowCells &cells);
    // Columns whose text is wider than the given width grow to fit it.
    void WidenColumnsToContents();

    // The record of a row, of the selected row ("" without a selection).
    static std::string Record(const QTreeWidgetItem *row);
    std::string SelectedRecord() const;
    QTreeWidgetItem *SelectedRow() const;
    // Selects the first row, if any.
    void SelectFirst();
    // Selects the row whose record begins with this word (its key).
    void SelectKey(const std::string &key);

private:
    std::vector<std::string> ShownRecords() const;

    std::vector<bool> m_alignRight;
};
