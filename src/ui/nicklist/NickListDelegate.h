// Draws one member of the nick list: status icon and nick.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QStyledItemDelegate>

// Draws one member of the nick list: the status icons at the left edge (a
// later icon over an earlier one: operator, voiced, half-operator, contact,
// away) and the nick 22 pixels from the left, vertically centred, in an item
// 20 pixels high. Selected items use the highlight-text colour on blue, away
// members are grey.
class NickListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kItemHeight = 20;
    static constexpr int kTextIndent = 22;
    static constexpr int kIconSize = 16;

    explicit NickListDelegate(QObject *parent = nullptr);

    void SetListColor(const QColor &color) { m_listColor = color; }
    static QColor SelectionColor() { return QColor(0, 102, 204); }

    // The colours of an item's text and background.
    QColor TextColor(const QPalette &palette, bool selected, bool away) const;
    QColor BackgroundColor(bool selected) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The status icons of the program, by name: "operator", "voice",
    // "halfop", "contact", "away"; kIconSize pixels wide for a device of
    // the given pixel ratio (drawn from the larger picture above ratio 1).
    static QPixmap StatusIcon(const char *name, qreal devicePixelRatio = 1.0);

private:
    void PaintIcons(QPainter *painter, const QRect &rect, const QModelIndex &index) const;

    QColor m_listColor = QColor(0xCE, 0xDF, 0xF6);
};
