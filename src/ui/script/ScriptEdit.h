// ScriptEdit: the text of a script in the script editor.
#pragma once

#include <Qsci/qsciscintilla.h>

// The editing control of the script editor: a Scintilla editor with Tcl
// highlighting, line numbers and its own undo, redo, cut, copy and paste.
class ScriptEdit : public QsciScintilla
{
    Q_OBJECT

public:
    explicit ScriptEdit(QWidget *parent = nullptr);

    // The caret's line counted from 1 (as GoToLine counts), the number of lines and the length
    // of the text in characters.
    int CaretLine() const;
    int LineCount() const { return lines(); }
    int CharacterCount() const { return static_cast<int>(text().size()); }

    // Puts the caret at the start of a line counted from 1 and shows it.
    void GoToLine(int line);

signals:
    // After every key the editor handled.
    void keyPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
