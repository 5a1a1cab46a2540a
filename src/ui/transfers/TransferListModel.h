// The transfers of this run as rows of a list view.
#pragma once

#include <QAbstractTableModel>

class TransferList;
struct Transfer;

// One row per transfer, oldest first: direction, nick, file name, size,
// progress, speed, time left and state (a failure with its reason). The
// file's whole path and a failure's reason are the tool tips of their
// cells. All text is plain.
class TransferListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        DirectionColumn,
        NickColumn,
        FileColumn,
        SizeColumn,
        ProgressColumn,
        SpeedColumn,
        TimeLeftColumn,
        StateColumn,
        ColumnCount
    };
    // The progress in whole per cent (0 .. 100), for the bar drawn in the cell.
    static constexpr int PercentRole = Qt::UserRole + 1;

    explicit TransferListModel(const TransferList &transfers, QObject *parent = nullptr);

    // Rows came or went: every row is read again.
    void Reset();
    // The figures of the rows moved: their cells are read again.
    void Refresh();
    const Transfer &TransferAt(const QModelIndex &index) const;
    static int Percent(const Transfer &transfer);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString DisplayText(const Transfer &transfer, int column) const;
    static QString StateText(const Transfer &transfer);

    const TransferList &m_transfers;
};
