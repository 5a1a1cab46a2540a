#pragma once

#include <QStyledItemDelegate>

// Draws a found line of the find-everywhere window as three rows: the line
// before, dimmed; the line found; the line after, dimmed. The item's text
// holds the three rows separated by line breaks; group rows are drawn as
// usual.
class FoundLineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr int kRows = 3;
};
