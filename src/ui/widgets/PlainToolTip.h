#pragma once

#include <QRect>
#include <QString>

class QPoint;
class QWidget;

// Tool tips that show their text exactly as it is. Qt shows a tool tip as
// rich text whenever the text looks like HTML, so a topic, a nick or a word
// of a message holding "<img src=...>" would load a file on hover. Every tool
// tip whose text came from outside the program goes through one of these.

// What to give setToolTip for a plain text: Qt shows it character for
// character, and nothing in it is markup. Text that Qt shows as it is anyway
// comes back unchanged.
QString PlainToolTip(const QString &text);
// QToolTip::showText for a plain text.
void ShowPlainToolTip(const QPoint &globalPos, const QString &text, QWidget *widget, const QRect &rect = QRect());
