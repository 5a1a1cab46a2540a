// The input line's editing menu: clipboard, style and colour commands.
#pragma once

#include "input/InputLine.h"

#include <QMenu>

// The "Úpr&avy" menu of an input line: opened by a right click on a
// misspelt word, first the suggestions for it and "Pridať do slovníka"; then
// undo, redo, cut, copy, paste, the
// style commands (bold and underline checked while the selection has them)
// and the text and background colour menus (items 12001 + k and 12020 + k,
// the action's data being that number). Every item acts on the input line and
// is enabled only while the input line has the focus.
class InputEditMenu : public QMenu
{
    Q_OBJECT

public:
    static constexpr int kTextColorId = 12001;
    static constexpr int kBackgroundColorId = 12020;

    explicit InputEditMenu(InputLine *input, QWidget *parent = nullptr);

    QMenu *TextColorMenu() const { return m_textColors; }
    QMenu *BackgroundColorMenu() const { return m_backgroundColors; }
    QAction *BoldAction() const { return m_bold; }
    QAction *UnderlineAction() const { return m_underline; }
    QAction *PlainAction() const { return m_plain; }

    // Checks and enables the items for the input line's current state.
    void UpdateItems();
    // Puts the suggestions for the misspelt word and "Pridať do slovníka"
    // at the top until the menu hides (none for an invalid one); before the
    // menu pops up, so that its size is known.
    void ShowSpelling(const InputLine::Misspelling &misspelling);
    const QList<QAction *> &SpellingActions() const { return m_spellingActions; }

private:
    QMenu *CreateColorMenu(const QString &title, int firstId);
    void OnColorChosen(QAction *action);
    void ClearSpelling();

    InputLine *m_input;
    QMenu *m_textColors = nullptr;
    QMenu *m_backgroundColors = nullptr;
    QAction *m_bold = nullptr;
    QAction *m_underline = nullptr;
    QAction *m_plain = nullptr;
    QList<QAction *> m_inputActions;
    QList<QAction *> m_spellingActions;
};
