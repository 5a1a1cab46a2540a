#pragma once

#include <QStyledItemDelegate>

// Draws the progress cell of a transfer as a progress bar with its per cent
// (TransferListModel::PercentRole).
class TransferProgressDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
