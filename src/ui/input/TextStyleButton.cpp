#include "input/TextStyleButton.h"

#include "input/InputEditMenu.h"
#include "input/InputLine.h"
#include "text/Strings.h"
#include "widgets/DrawnIcon.h"
#include "widgets/Utf8Text.h"

#include <QPainter>

namespace {

// The button's picture: a bold "A" over a strip of colours.
QIcon StyleIcon()
{
    return DrawnIcon(QSize(16, 16), [](QPainter &painter) {
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(12);
        painter.setFont(font);
        painter.setPen(QColor(0, 68, 170));
        painter.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
        const QColor strip[] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255), QColor(255, 128, 0)};
        for (int i = 0; i < 4; ++i)
            painter.fillRect(i * 4, 13, 4, 3, strip[i]);
    });
}

} // namespace

TextStyleButton::TextStyleButton(InputLine *input, QWidget *parent) : QToolButton(parent), m_input(input)
{
    setObjectName(QStringLiteral("ChannelTextStyle"));
    setFocusPolicy(Qt::NoFocus); // the input line keeps the focus the menus act on
    setCursor(Qt::PointingHandCursor);
    setAutoRaise(true);
    setIcon(StyleIcon());
    setToolTip(FromUtf8(Strings::Get(Str::TextStyleTip)));
    setFixedSize(kWidth, InputLine::kHeight);
    connect(this, &QToolButton::clicked, this, &TextStyleButton::ShowEditMenu);
    connect(m_input, &InputLine::textColorMenuRequested, this, &TextStyleButton::PopupTextColors);
    connect(m_input, &InputLine::backgroundColorMenuRequested, this, &TextStyleButton::PopupBackgroundColors);
    connect(m_input, &InputLine::editMenuRequested, this, [this](const QPoint &globalPos) {
        EditMenu();
        m_editMenu->ShowSpelling(m_input->TakeClickedMisspelling());
        m_editMenu->popup(globalPos - QPoint(0, m_editMenu->sizeHint().height()));
    });
}

TextStyleButton::~TextStyleButton() = default;

QMenu *TextStyleButton::EditMenu()
{
    if (!m_editMenu)
        m_editMenu = new InputEditMenu(m_input, this);
    return m_editMenu;
}

QMenu *TextStyleButton::TextColorMenu()
{
    EditMenu();
    return m_editMenu->TextColorMenu();
}

QMenu *TextStyleButton::BackgroundColorMenu()
{
    EditMenu();
    return m_editMenu->BackgroundColorMenu();
}

void TextStyleButton::PopupTextColors()
{
    PopupAbove(TextColorMenu());
}

void TextStyleButton::PopupBackgroundColors()
{
    PopupAbove(BackgroundColorMenu());
}

void TextStyleButton::ShowEditMenu()
{
    PopupAbove(EditMenu());
}

void TextStyleButton::PopupAbove(QMenu *menu)
{
    if (menu->isVisible())
        return; // asked twice for one key press (the frame may forward it too)
    menu->popup(mapToGlobal(QPoint(0, -menu->sizeHint().height())));
}
