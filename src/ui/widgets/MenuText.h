#pragma once

#include <QString>

// What a button says in its tool tip for a menu command: the item's text
// without its mnemonic marks ("&&" stays one "&") and without the keys shown
// after a tab ("&Kopírovať\tCtrl+C" says "Kopírovať").
inline QString ToolTipOfMenuText(const QString &text)
{
    const QString shown = text.section(QLatin1Char('\t'), 0, 0);
    QString tip;
    tip.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown.at(i) == QLatin1Char('&') && i + 1 < shown.size())
            ++i; // the marked letter, or the second "&" of "&&"
        tip += shown.at(i);
    }
    return tip;
}
