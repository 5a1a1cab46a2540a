// The text style button beside the input line (bold, underline, colours).
#pragma once

#include <QToolButton>

class CChannelCmd;
class QMenu;
class CInputEditMenu;

// The text style button left of the input line (22 pixels wide, hand
// cursor): a click opens the editing menu with the style commands and the two
// colour menus; PopupTextColors / PopupBackgroundColors open a colour menu
// just above the button (Ctrl+K, Ctrl+L in the input line).
class CChannelTextStyle : public QToolButton
{
    Q_OBJECT

public:
    static constexpr int kWidth = 22;

    explicit CChannelTextStyle(CChannelCmd *input, QWidget *parent = nullptr);
    ~CChannelTextStyle() override;

    void PopupTextColors();
    void PopupBackgroundColors();

    // The menus, built on first use (tests click their actions).
    QMenu *EditMenu();
    QMenu *TextColorMenu();
    QMenu *BackgroundColorMenu();

private:
    void PopupAbove(QMenu *menu);
    void ShowEditMenu();

    CChannelCmd *m_input;
    CInputEditMenu *m_editMenu = nullptr;
};
