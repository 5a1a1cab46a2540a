#include "input/CommandPopupPanel.h"

#include "text/Strings.h"

#include <QLinearGradient>
#include <QPainter>

CommandPopupPanel::CommandPopupPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CommandPopupPanel::SetContent(const QString &title, const QString &text, bool scriptMark)
{
    if (title == m_title && text == m_text && scriptMark == m_scriptMark)
        return;
    m_title = title;
    m_text = text;
    m_scriptMark = scriptMark;
    update();
}

void CommandPopupPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintBackground(painter);

    // The title line and the text below it follow the font and the panel's
    // size, so neither runs out of the panel at a larger font or scale.
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect titleRect(kMargin, kMargin, width() - 2 * kMargin, painter.fontMetrics().lineSpacing());
    painter.setPen(QColor::fromRgb(kTitleColor));
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignTop, m_title);

    if (m_scriptMark) {
        painter.setPen(QColor::fromRgb(kScriptColor));
        painter.drawText(titleRect, Qt::AlignRight | Qt::AlignTop, QString::fromUtf8(Strings::Get(Str::ScriptMark)));
    }

    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kTextColor));
    const QRect textRect(QPoint(kMargin + kTextIndent, titleRect.bottom() + 1 + kMargin / 2),
                         QPoint(width() - kMargin, height() - kMargin));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_text);
}

// The panel's picture: a soft vertical gradient with a light frame line.
void CommandPopupPanel::PaintBackground(QPainter &painter)
{
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, QColor(255, 255, 255));
    gradient.setColorAt(1.0, QColor(0xCE, 0xDF, 0xF6));
    painter.fillRect(rect(), gradient);
    painter.setPen(QColor(0xB0, 0xC4, 0xDE));
    painter.drawLine(0, 0, 0, height());
}
