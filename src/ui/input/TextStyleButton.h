// The text style button beside the input line (bold, underline, colours).
#pragma once

#include <QToolButton>

class InputLine;
class QMenu;
class InputEditMenu;

// The text style button left of the input line (22 pixels wide, hand
// cursor): a click opens the editing menu with the style commands and the two
// colour menus; PopupTextColors / PopupBackgroundColors open a colour menu
// just above the button (Ctrl+K, Ctrl+L in the input line).
class TextStyleButton : public QToolButton
{
    Q_OBJECT

public:
    static constexpr int kWidth = 22;

    explicit TextStyleButton(InputLine *input, QWidget *parent = nullptr);
    ~TextStyleButton() override;

    void PopupTextColors();
    void PopupBackgroundColors();

    // The menus, built on first use (tests click their actions).
    QMenu *EditMenu();
    QMenu *TextColorMenu();
    QMenu *BackgroundColorMenu();

private:
    void PopupAbove(QMenu *menu);
    void ShowEditMenu();

    InputLine *m_input;
    InputEditMenu *m_editMenu = nullptr;
};
