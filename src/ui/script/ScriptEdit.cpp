#include "script/ScriptEdit.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <Qsci/qscilexertcl.h>

ScriptEdit::ScriptEdit(QWidget *parent) : QsciScintilla(parent)
{
    setUtf8(true);
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto *lexer = new QsciLexerTCL(this);
    lexer->setDefaultFont(font);
    lexer->setFont(font);
    setLexer(lexer);
    setMarginsFont(font);
    setMarginType(0, QsciScintilla::NumberMargin);
    setMarginWidth(0, QStringLiteral("00000"));
    setAutoIndent(true);
    setIndentationsUseTabs(false);
    setIndentationWidth(4);
    setBraceMatching(QsciScintilla::SloppyBraceMatch);
    setScrollWidth(1);
    setScrollWidthTracking(true); // a horizontal scroll bar only for lines that need one
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(0xF4, 0xF4, 0xFF));
}

int ScriptEdit::CaretLine() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return line + 1;
}

void ScriptEdit::GoToLine(int line)
{
    const int target = std::max(0, line - 1);
    setCursorPosition(target, 0);
    ensureLineVisible(target);
}

void ScriptEdit::keyPressEvent(QKeyEvent *event)
{
    QsciScintilla::keyPressEvent(event);
    emit keyPressed();
}
