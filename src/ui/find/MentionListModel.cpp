#include "find/MentionListModel.h"

#include "session/MentionList.h"
#include "widgets/Utf8Text.h"

#include <QDateTime>
#include <QFont>

namespace {

// The time of day; a mention of another day also says which.
QString TimeText(int64_t time)
{
    const QDateTime when = QDateTime::fromSecsSinceEpoch(time);
    if (when.date() == QDate::currentDate())
        return when.toString(QStringLiteral("HH:mm:ss"));
    return when.toString(QStringLiteral("d.M. HH:mm:ss"));
}

} // namespace

MentionListModel::MentionListModel(const MentionList &mentions, QObject *parent)
    : QAbstractTableModel(parent), m_mentions(mentions)
{}

void MentionListModel::Reset()
{
    beginResetModel();
    endResetModel();
}

const Mention &MentionListModel::MentionAt(const QModelIndex &index) const
{
    return m_mentions.At(size_t(index.row()));
}

int MentionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_mentions.Count());
}

int MentionListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MentionListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Mention &mention = MentionAt(index);
    if (role == Qt::FontRole && mention.m_unread) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case TimeColumn:
        return TimeText(mention.m_time);
    case NetworkColumn:
        return FromUtf8(mention.m_network);
    case WindowColumn:
        // The status window goes by its session's key: the network says more.
        return FromUtf8(mention.m_window == mention.m_sessionKey ? mention.m_network : mention.m_window);
    case NickColumn:
        return FromUtf8(mention.m_nick);
    case TextColumn:
        return FromUtf8(mention.m_text);
    default:
        return {};
    }
}

QVariant MentionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static constexpr StrText kTitles[ColumnCount] = {Str::MentionsTime, Str::MentionsNetwork, Str::MentionsWindow,
                                                     Str::MentionsNick, Str::MentionsText};
    return section >= 0 && section < ColumnCount ? FromStr(kTitles[section]) : QVariant();
}
