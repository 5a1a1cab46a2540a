#include "history/FoundLineDelegate.h"

#include <QApplication>
#include <QPainter>

namespace {

bool IsFoundLine(const QModelIndex &index)
{
    return index.parent().isValid();
}

} // namespace

void FoundLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!IsFoundLine(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const QStringList rows = index.data(Qt::DisplayRole).toString().split(QLatin1Char('\n'));
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QColor text = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    QColor dimmed = text;
    dimmed.setAlphaF(0.55f);
    const int rowHeight = option.fontMetrics.lineSpacing();
    QFont bold = option.font;
    bold.setBold(true);
    painter->save();
    for (int row = 0; row < kRows && row < rows.size(); ++row) {
        const bool found = row == 1;
        painter->setPen(found ? text : dimmed);
        painter->setFont(found ? bold : option.font);
        const QRect rect(option.rect.left() + 4, option.rect.top() + 2 + row * rowHeight, option.rect.width() - 8,
                         rowHeight);
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          QFontMetrics(painter->font()).elidedText(rows[row], Qt::ElideRight, rect.width()));
    }
    painter->restore();
}

QSize FoundLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (IsFoundLine(index))
        size.setHeight(kRows * option.fontMetrics.lineSpacing() + 4);
    return size;
}
