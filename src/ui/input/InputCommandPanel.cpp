#include "input/InputCommandPanel.h"

#include "config/Strings.h"

#include <QLinearGradient>
#include <QPainter>

CInputCommandPanel::CInputCommandPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CInputCommandPanel::SetContent(const QString &title, const QString &text, bool scriptMark)
{
    if (title == m_title && text == m_text && scriptMark == m_scriptMark)
        return;
    m_title = title;
    m_text = text;
    m_scriptMark = scriptMark;
    update();
}

void CInputCommandPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintBackground(painter);

    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kTitleColor));
    painter.drawText(QRect(10, 10, width() - 20, 22), Qt::AlignLeft | Qt::AlignTop, m_title);

    if (m_scriptMark) {
        painter.setPen(QColor::fromRgb(kScriptColor));
        painter.drawText(QRect(QPoint(50, 10), QPoint(220, 130)), Qt::AlignRight | Qt::AlignTop,
                         QString::fromUtf8(Strings::Get(Str::ScriptMark)));
    }

    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kTextColor));
    painter.drawText(QRect(QPoint(15, 35), QPoint(220, 130)), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_text);
}

// The panel's picture: a soft vertical gradient with a light frame line.
void CInputCommandPanel::PaintBackground(QPainter &painter)
{
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, QColor(255, 255, 255));
    gradient.setColorAt(1.0, QColor(0xCE, 0xDF, 0xF6));
    painter.fillRect(rect(), gradient);
    painter.setPen(QColor(0xB0, 0xC4, 0xDE));
    painter.drawLine(0, 0, 0, height());
}
