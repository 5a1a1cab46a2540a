#include "transfers/TransferListModel.h"

#include "dcc/TransferList.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "widgets/PlainToolTip.h"
#include "widgets/Utf8Text.h"

#include <QFileInfo>

#include <cmath>

TransferListModel::TransferListModel(const TransferList &transfers, QObject *parent)
    : QAbstractTableModel(parent), m_transfers(transfers)
{}

void TransferListModel::Reset()
{
    beginResetModel();
    endResetModel();
}

void TransferListModel::Refresh()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

const Transfer &TransferListModel::TransferAt(const QModelIndex &index) const
{
    return m_transfers.At(index.row());
}

int TransferListModel::Percent(const Transfer &transfer)
{
    if (transfer.size == 0)
        return transfer.state == Transfer::State::Done ? 100 : 0;
    // In floating point: the product of two 64-bit sizes would overflow.
    const double share = static_cast<double>(std::min(transfer.done, transfer.size)) / double(transfer.size);
    return static_cast<int>(std::floor(share * 100.0));
}

int TransferListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_transfers.Count();
}

int TransferListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TransferListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Transfer &transfer = TransferAt(index);
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(transfer, index.column());
    case PercentRole:
        return Percent(transfer);
    case Qt::ToolTipRole:
        if (index.column() == FileColumn)
            return PlainToolTip(FromUtf8(transfer.path));
        if (index.column() == StateColumn)
            return PlainToolTip(StateText(transfer));
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn || index.column() == SpeedColumn || index.column() == TimeLeftColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QString TransferListModel::DisplayText(const Transfer &transfer, int column) const
{
    switch (column) {
    case DirectionColumn:
        return FromStr(transfer.direction == Transfer::Direction::Receive ? Str::TransferReceive : Str::TransferSend);
    case NickColumn:
        return FromUtf8(transfer.nick);
    case FileColumn:
        return QFileInfo(FromUtf8(transfer.path)).fileName();
    case SizeColumn:
        return FromUtf8(FormatSize(transfer.size));
    case ProgressColumn:
        return QStringLiteral("%1 %").arg(Percent(transfer));
    case SpeedColumn: {
        const double speed = m_transfers.Speed(transfer.id);
        if (speed <= 0)
            return {};
        return FromUtf8(Strings::Format(Str::TransferSpeed, FormatSize(static_cast<uint64_t>(speed)).c_str()));
    }
    case TimeLeftColumn: {
        const std::optional<int64_t> left = m_transfers.SecondsLeft(transfer.id);
        return left ? FromUtf8(TransferList::FormatDuration(*left)) : QString();
    }
    case StateColumn:
        return StateText(transfer);
    default:
        return {};
    }
}

QString TransferListModel::StateText(const Transfer &transfer)
{
    switch (transfer.state) {
    case Transfer::State::Waiting:
        return FromStr(Str::TransferWaiting);
    case Transfer::State::Running:
        return FromStr(Str::TransferRunning);
    case Transfer::State::Done:
        return FromStr(Str::TransferDone);
    case Transfer::State::Failed:
        return FromUtf8(Strings::Format(Str::TransferFailed, transfer.reason.c_str()));
    }
    return {};
}

QVariant TransferListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    static constexpr StrText kTitles[ColumnCount] = {
        Str::TransferDirectionColumn, Str::TransferNickColumn,  Str::TransferFileColumn,     Str::TransferSizeColumn,
        Str::TransferProgressColumn,  Str::TransferSpeedColumn, Str::TransferTimeLeftColumn, Str::TransferStateColumn};
    return FromStr(kTitles[section]);
}
