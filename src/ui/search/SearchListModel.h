#pragma once

#include "search/ChannelListEntry.h"

#include <QAbstractTableModel>

#include <vector>

// The channels of the search window's list, in the order the server sent
// them, as three columns: channel, users, topic. Channels are taken in
// batches: Append keeps a channel aside and the views learn of the waiting
// channels at the next Flush, so a list of tens of thousands of channels
// costs a few insertions, not one per channel.
class SearchListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SearchListModel(QObject *parent = nullptr);

    void Clear();
    void Append(ChannelListEntry entry);
    // Shows the channels appended since the last flush; false when none waited.
    bool Flush();
    bool HasWaiting() const { return m_shown < m_entries.size(); }
    // Every channel received, the waiting ones too.
    int ReceivedCount() const { return static_cast<int>(m_entries.size()); }
    const ChannelListEntry &Entry(int row) const { return m_entries[static_cast<size_t>(row)]; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<ChannelListEntry> m_entries;
    size_t m_shown = 0;
};
