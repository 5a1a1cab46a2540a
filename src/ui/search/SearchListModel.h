#pragma once

#include "search/ChannelListEntry.h"
#include "search/ChannelSearchFilter.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <vector>

// The channels of the search window's list as three columns (channel, users,
// topic): of the channels received, those that pass the filter, in the
// order of the column last sorted by, otherwise in the order they came.
//
// Channels are taken in batches: Append keeps a channel aside and the views
// learn of the waiting channels at the next Flush, so a list of tens of
// thousands of channels costs a few insertions, not one per channel. The
// model filters and sorts by itself, on the entries (no text is made for a
// comparison): sorting moves rows (the selection follows), a new filter
// resets the model.
class SearchListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SearchListModel(QObject *parent = nullptr);

    void Clear();
    void Append(ChannelListEntry entry);
    // Shows the waiting channels that pass the filter, in their sorted place;
    // false when none waited.
    bool Flush();
    bool HasWaiting() const { return m_taken < m_entries.size(); }

    void SetFilter(const ChannelSearchFilter &filter);
    const ChannelSearchFilter &Filter() const { return m_filter; }
    // Sorts the shown rows by a column (stable: equal rows keep their order);
    // later channels go to their sorted place.
    void Sort(ChannelListEntry::Column column, Qt::SortOrder order);

    // The channels received and flushed, shown or not.
    int TakenCount() const { return static_cast<int>(m_taken); }
    // The first row showing this channel; -1 for none.
    int FindRow(const std::string &channel) const;
    // The entry shown in a row (0 <= row < rowCount()).
    const ChannelListEntry &EntryAt(int row) const { return m_entries[m_rows[static_cast<size_t>(row)]]; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool IsSorted() const { return m_sortColumn >= 0; }
    // Sorts m_rows, of which the first sortedRows are in order already,
    // telling the views where each row went.
    void SortRows(size_t sortedRows);
    bool ComesBefore(uint32_t a, uint32_t b) const;

    std::vector<ChannelListEntry> m_entries;
    size_t m_taken = 0;           // entries up to here have been flushed
    std::vector<uint32_t> m_rows; // the shown entries, in display order
    ChannelSearchFilter m_filter;
    int m_sortColumn = -1;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};
