// The underlining of misspelt words in an input line.
#pragma once

#include <QSyntaxHighlighter>

#include <functional>

class SpellChecker;

// Underlines, with the wavy red line of a spell checker, the words of the
// input line that the checker calls misspelt, as SpellWords picks them (no
// command, nick, channel or address). The underline is drawn over the text,
// it is no format of the document: the line sent is unchanged.
class SpellHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    using NickTest = std::function<bool(const QString &)>;
    SpellHighlighter(QTextDocument *document, const SpellChecker *checker, NickTest isNick);

protected:
    void highlightBlock(const QString &text) override;

private:
    const SpellChecker *m_checker;
    NickTest m_isNick;
};
