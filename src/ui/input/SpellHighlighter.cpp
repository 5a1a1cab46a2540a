#include "input/SpellHighlighter.h"

#include "input/SpellChecker.h"
#include "text/SpellWords.h"

#include <QTextCharFormat>

SpellHighlighter::SpellHighlighter(QTextDocument *document, const SpellChecker *checker, NickTest isNick)
    : QSyntaxHighlighter(document), m_checker(checker), m_isNick(std::move(isNick))
{}

void SpellHighlighter::highlightBlock(const QString &text)
{
    if (!m_checker || !m_checker->IsActive())
        return;
    QTextCharFormat misspelt;
    misspelt.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    misspelt.setUnderlineColor(Qt::red);
    for (const SpellWord &word : SpellWords(text, m_isNick)) {
        if (m_checker->IsMisspelt(text.mid(word.start, word.length)))
            setFormat(word.start, word.length, misspelt);
    }
}
