#include "search/SearchListModel.h"

#include "config/Strings.h"
#include "widgets/PlainToolTip.h"
#include "widgets/Utf8Text.h"

SearchListModel::SearchListModel(QObject *parent) : QAbstractTableModel(parent) {}

void SearchListModel::Clear()
{
    beginResetModel();
    m_entries.clear();
    m_shown = 0;
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
    beginInsertRows(QModelIndex(), static_cast<int>(m_shown), static_cast<int>(m_entries.size()) - 1);
    m_shown = m_entries.size();
    endInsertRows();
    return true;
}

int SearchListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown);
}

int SearchListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant SearchListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const ChannelListEntry &entry = Entry(index.row());
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
