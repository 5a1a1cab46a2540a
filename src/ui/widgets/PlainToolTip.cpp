#include "widgets/PlainToolTip.h"

#include <QTextDocument>
#include <QToolTip>

QString PlainToolTip(const QString &text)
{
    // Qt decides as a label does: text that does not look like HTML is shown
    // as it is. Text that does is escaped into a paragraph that Qt takes for
    // rich text and that shows every character (Qt has no plain tool tip).
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

void ShowPlainToolTip(const QPoint &globalPos, const QString &text, QWidget *widget, const QRect &rect)
{
    QToolTip::showText(globalPos, PlainToolTip(text), widget, rect);
}
