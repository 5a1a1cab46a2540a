#include "dialogs/ColourButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

ColourButton::ColourButton(uint32_t colour, QWidget *parent) : QPushButton(parent), m_colour(colour & 0xFFFFFF)
{
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(48, 22);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ColourButton::ChooseColour);
}

void ColourButton::SetColour(uint32_t colour)
{
    colour &= 0xFFFFFF;
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
    emit colourChanged(m_colour);
}

void ColourButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect swatch = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 2, -2, -2);
    painter.fillRect(swatch, QColor::fromRgb(m_colour));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = swatch.adjusted(-2, -2, 2, 2);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void ColourButton::ChooseColour()
{
    QColorDialog dialog(QColor::fromRgb(m_colour), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetColour(dialog.selectedColor().rgb());
}
