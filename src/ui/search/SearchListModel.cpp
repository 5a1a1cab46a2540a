#include "search/SearchListModel.h"

#include "text/Strings.h"
#include "widgets/PlainToolTip.h"
#include "widgets/Utf8Text.h"

#include <algorithm>

SearchListModel::SearchListModel(QObject *parent) : QAbstractTableModel(parent) {}

void SearchListModel::Clear()
{
    beginResetModel();
    m_entries.clear();
    m_rows.clear();
    m_taken = 0;
    endResetModel();
}

void SearchListModel::Append(ChannelListEntry entry)
{
    m_entries.push_back(std::move(entry));
}

bool SearchListModel::Flush()
{
    if (!HasWaiting())
        return false;
    std::vector<uint32_t> passing;
    for (; m_taken < m_entries.size(); ++m_taken) {
        if (m_filter.Passes(m_entries[m_taken]))
            passing.push_back(static_cast<uint32_t>(m_taken));
    }
    if (passing.empty())
        return true;
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(passing.size()) - 1);
    m_rows.insert(m_rows.end(), passing.begin(), passing.end());
    endInsertRows();
    if (IsSorted())
        SortRows(static_cast<size_t>(first));
    return true;
}

void SearchListModel::SetFilter(const ChannelSearchFilter &filter)
{
    if (filter == m_filter)
        return;
    beginResetModel();
    m_filter = filter;
    m_rows.clear();
    for (size_t k = 0; k < m_taken; ++k) {
        if (m_filter.Passes(m_entries[k]))
            m_rows.push_back(static_cast<uint32_t>(k));
    }
    if (IsSorted())
        std::stable_sort(m_rows.begin(), m_rows.end(), [this](uint32_t a, uint32_t b) { return ComesBefore(a, b); });
    endResetModel();
}

void SearchListModel::Sort(ChannelListEntry::Column column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_order = order;
    SortRows(0);
}

int SearchListModel::FindRow(const std::string &channel) const
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        if (m_entries[m_rows[row]].channel == channel)
            return static_cast<int>(row);
    }
    return -1;
}

bool SearchListModel::ComesBefore(uint32_t a, uint32_t b) const
{
    const int order =
        ChannelListEntry::Compare(static_cast<ChannelListEntry::Column>(m_sortColumn), m_entries[a], m_entries[b]);
    return m_order == Qt::AscendingOrder ? order < 0 : order > 0;
}

void SearchListModel::SortRows(size_t sortedRows)
{
    const auto comesBefore = [this](uint32_t a, uint32_t b) { return ComesBefore(a, b); };
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The views keep few persistent rows (selection, current row): each is
    // followed by the entry it shows.
    const QModelIndexList before = persistentIndexList();
    std::vector<uint32_t> entriesBefore;
    for (const QModelIndex &index : before)
        entriesBefore.push_back(m_rows[static_cast<size_t>(index.row())]);
    const auto firstNew = m_rows.begin() + static_cast<std::ptrdiff_t>(sortedRows);
    std::stable_sort(firstNew, m_rows.end(), comesBefore);
    std::inplace_merge(m_rows.begin(), firstNew, m_rows.end(), comesBefore);
    if (!before.isEmpty()) {
        std::vector<int> rowOfEntry(m_entries.size(), -1);
        for (size_t row = 0; row < m_rows.size(); ++row)
            rowOfEntry[m_rows[row]] = static_cast<int>(row);
        QModelIndexList after;
        for (qsizetype k = 0; k < before.size(); ++k)
            after << index(rowOfEntry[entriesBefore[static_cast<size_t>(k)]], before[k].column());
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int SearchListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SearchListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant SearchListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const ChannelListEntry &entry = EntryAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ChannelListEntry::ChannelColumn:
            return FromUtf8(entry.channel);
        case ChannelListEntry::UsersColumn:
            return QString::number(entry.users);
        default:
            return FromUtf8(entry.shownTopic);
        }
    case Qt::ToolTipRole:
        // A topic is often wider than its column.
        if (index.column() == ChannelListEntry::TopicColumn && !entry.shownTopic.empty())
            return PlainToolTip(FromUtf8(entry.shownTopic));
        return QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == ChannelListEntry::UsersColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant SearchListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(section == ChannelListEntry::UsersColumn ? Qt::AlignRight | Qt::AlignVCenter
                                                                            : Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ChannelListEntry::ChannelColumn:
        return FromUtf8(Strings::Get(Str::SearchChannelColumn));
    case ChannelListEntry::UsersColumn:
        return FromUtf8(Strings::Get(Str::SearchUsersColumn));
    case ChannelListEntry::TopicColumn:
        return FromUtf8(Strings::Get(Str::SearchTopicColumn));
    default:
        return QVariant();
    }
}
