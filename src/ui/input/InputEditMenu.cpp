#include "input/InputEditMenu.h"

#include "app/AppIcons.h"
#include "app/CommandIds.h"
#include "input/InputLine.h"
#include "input/SpellChecker.h"
#include "text/Colors.h"
#include "text/Strings.h"
#include "widgets/DrawnIcon.h"
#include "widgets/Utf8Text.h"

#include <QPainter>

namespace {

// A menu item's text with the keys of its command, as a menu shows them.
QString WithKeys(StrText text, const char *keys)
{
    return FromStr(text) + QLatin1Char('\t') + QLatin1String(keys);
}

QIcon ColorSwatch(uint32_t rgb)
{
    return DrawnIcon(QSize(14, 14), [rgb](QPainter &painter) {
        painter.setRenderHint(QPainter::Antialiasing, false); // a crisp one-pixel frame
        painter.fillRect(QRect(0, 0, 14, 14), QColor::fromRgb(static_cast<QRgb>(rgb)));
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(0, 0, 13, 13);
    });
}

} // namespace

InputEditMenu::InputEditMenu(InputLine *input, QWidget *parent) : QMenu(FromStr(Str::MenuEdit), parent), m_input(input)
{
    // The items carry the pictures of the same commands of the main menu.
    const auto addInputAction = [this](int command, const QString &text, auto slot) {
        QAction *action = addAction(AppIcons::Command(command), text);
        connect(action, &QAction::triggered, m_input, slot);
        m_inputActions.append(action);
        return action;
    };
    addInputAction(CommandId::EditUndo, WithKeys(Str::CommandEditUndo, "Ctrl+Z"), &QTextEdit::undo);
    addInputAction(CommandId::EditRedo, WithKeys(Str::CommandEditRedo, "Ctrl+Y"), &QTextEdit::redo);
    addSeparator();
    addInputAction(CommandId::EditCut, WithKeys(Str::CommandEditCut, "Ctrl+X"), &QTextEdit::cut);
    addInputAction(CommandId::EditCopy, WithKeys(Str::CommandEditCopy, "Ctrl+C"), &QTextEdit::copy);
    addInputAction(CommandId::EditPaste, WithKeys(Str::CommandEditPaste, "Ctrl+V"), &QTextEdit::paste);
    addSeparator();
    m_bold = addInputAction(CommandId::Bold, WithKeys(Str::CommandBold, "Ctrl+B"), &InputLine::ToggleBold);
    m_bold->setCheckable(true);
    m_underline =
        addInputAction(CommandId::Underline, WithKeys(Str::CommandUnderline, "Ctrl+U"), &InputLine::ToggleUnderline);
    m_underline->setCheckable(true);
    m_plain = addInputAction(CommandId::Plain, WithKeys(Str::CommandPlain, "Ctrl+P"), &InputLine::SetPlainStyle);
    addInputAction(CommandId::Inverse, WithKeys(Str::CommandInverse, "Ctrl+I"), &InputLine::SetInverseStyle);
    addSeparator();
    m_textColors = CreateColorMenu(FromStr(Str::MenuTextColour), kTextColorId);
    m_backgroundColors = CreateColorMenu(FromStr(Str::MenuBackgroundColour), kBackgroundColorId);
    m_textColors->setIcon(AppIcons::Command(CommandId::TextColourMenu));
    m_backgroundColors->setIcon(AppIcons::Command(CommandId::BackgroundColourMenu));
    addMenu(m_textColors);
    addMenu(m_backgroundColors);

    connect(this, &QMenu::aboutToShow, this, &InputEditMenu::UpdateItems);
    connect(this, &QMenu::aboutToHide, this, &InputEditMenu::ClearSpelling);
}

// The chosen item is triggered after the menu hid: its action goes later.
void InputEditMenu::ClearSpelling()
{
    for (QAction *action : std::as_const(m_spellingActions)) {
        removeAction(action);
        action->deleteLater();
    }
    m_spellingActions.clear();
}

void InputEditMenu::ShowSpelling(const InputLine::Misspelling &misspelling)
{
    ClearSpelling();
    if (!misspelling.IsValid() || !m_input->Speller())
        return;
    QAction *first = actions().value(0);
    const auto add = [&](const QString &text) {
        auto *action = new QAction(text, this);
        insertAction(first, action);
        m_spellingActions.append(action);
        return action;
    };
    const QStringList suggestions = m_input->Speller()->Suggestions(misspelling.word);
    for (const QString &suggestion : suggestions) {
        QAction *action = add(suggestion);
        QFont font = action->font();
        font.setBold(true);
        action->setFont(font);
        connect(action, &QAction::triggered, m_input,
                [input = m_input, misspelling, suggestion] { input->ReplaceMisspelling(misspelling, suggestion); });
    }
    if (suggestions.isEmpty())
        add(FromStr(Str::SpellNoSuggestions))->setEnabled(false);
    connect(add(FromStr(Str::SpellAddToDictionary)), &QAction::triggered, m_input,
            [input = m_input, word = misspelling.word] { input->AddToDictionary(word); });
    add(QString())->setSeparator(true);
}

QMenu *InputEditMenu::CreateColorMenu(const QString &title, int firstId)
{
    QMenu *menu = new QMenu(title, this);
    for (int index = 0; index < kIrcColorCount; ++index) {
        QAction *action = menu->addAction(ColorSwatch(IndexToColor(index)), QString::fromUtf8(ColorMenuLabel(index)));
        action->setData(firstId + index);
    }
    connect(menu, &QMenu::triggered, this, &InputEditMenu::OnColorChosen);
    connect(menu, &QMenu::aboutToShow, this, &InputEditMenu::UpdateItems);
    return menu;
}

void InputEditMenu::OnColorChosen(QAction *action)
{
    const int id = action->data().toInt();
    if (id >= kBackgroundColorId && id < kBackgroundColorId + kIrcColorCount)
        m_input->SetBackgroundColorIndex(id - kBackgroundColorId);
    else if (id >= kTextColorId && id < kTextColorId + kIrcColorCount)
        m_input->SetTextColorIndex(id - kTextColorId);
}

void InputEditMenu::UpdateItems()
{
    const bool focused = m_input->hasFocus();
    for (QAction *action : std::as_const(m_inputActions))
        action->setEnabled(focused);
    for (QMenu *menu : {m_textColors, m_backgroundColors}) {
        for (QAction *action : menu->actions())
            action->setEnabled(focused);
    }
    m_bold->setChecked(m_input->IsSelectionBold());
    m_underline->setChecked(m_input->IsSelectionUnderlined());
}
