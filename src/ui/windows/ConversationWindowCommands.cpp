// The commands of the main window's menus that a conversation window
// carries out: "&Kanál", the "Zobraziť" toggles, "&Užívateľ" and the editing
// and style commands of the input line.
#include "windows/ConversationWindow.h"

#include "app/CommandIds.h"
#include "conversation/Conversation.h"
#include "conversation/Shell.h"
#include "input/InputLine.h"
#include "input/TextStyleButton.h"
#include "nicklist/UserMenu.h"
#include "view/TextView.h"
#include "windows/ConversationMenu.h"

namespace {

bool IsColourCommand(int id, int first)
{
    return id >= first && id < first + 16;
}

} // namespace

// ---- ShellChild ----

QString ConversationWindow::ButtonToolTip() const
{
    const QString display = QString::fromStdString(m_displayName);
    if (WindowType() == Conversation::TypeStatus)
        return display;
    QString tip = QStringLiteral("%1 - %2").arg(WindowName(), display);
    if (m_conversation && !m_conversation->GetTopic().empty())
        tip += QStringLiteral(" - ") + QString::fromStdString(m_conversation->GetTopic());
    return tip;
}

bool ConversationWindow::HasActivity() const
{
    return m_conversation && m_conversation->Activity();
}

QStringList ConversationWindow::ScriptNames() const
{
    QStringList names;
    if (m_conversation)
        for (const auto &script : m_conversation->Scripts())
            names << QString::fromStdString(script.first);
    return names;
}

bool ConversationWindow::UpdateCommand(int id, bool &enabled, bool &checked) const
{
    // The menu knows its commands' states; asking makes it (once) if need be.
    if (const_cast<ConversationWindow *>(this)->Menu()->UpdateCommand(id, enabled, checked))
        return true;
    if (UpdateViewCommand(id, enabled, checked))
        return true;
    if (id == CommandId::FindInWindow || id == CommandId::FindNext || id == CommandId::FindPrevious) {
        enabled = true;
        return true;
    }
    if (UserMenu::Item item; UserMenu::ItemOfCommand(id, item)) {
        enabled = UserMenu::IsEnabled(item, UserContext());
        return true;
    }
    const bool withInput = m_kind != Conversation::KindView;
    switch (id) {
    case CommandId::EditCopy:
        enabled = true;
        return true;
    case CommandId::Bold:
        enabled = withInput;
        checked = withInput && m_input->IsSelectionBold();
        return true;
    case CommandId::Underline:
        enabled = withInput;
        checked = withInput && m_input->IsSelectionUnderlined();
        return true;
    case CommandId::EditUndo:
    case CommandId::EditRedo:
    case CommandId::EditCut:
    case CommandId::EditPaste:
    case CommandId::EditPasteSpecial:
    case CommandId::Plain:
    case CommandId::Inverse:
    case CommandId::TextColourMenu:
    case CommandId::BackgroundColourMenu:
        enabled = withInput;
        return true;
    default:
        break;
    }
    if (IsColourCommand(id, CommandId::TextColourFirst) || IsColourCommand(id, CommandId::BackgroundColourFirst)) {
        enabled = withInput;
        return true;
    }
    return false;
}

bool ConversationWindow::UpdateViewCommand(int id, bool &enabled, bool &checked) const
{
    if (!m_conversation) {
        enabled = false;
        checked = false;
        return id >= CommandId::ViewTimeStamps && id <= CommandId::ViewJumpToUnread;
    }
    const Conversation::Toggles &toggles = m_conversation->GetToggles();
    enabled = true;
    switch (id) {
    case CommandId::ViewTimeStamps:
        checked = toggles.timeStamps;
        return true;
    case CommandId::ViewAutoScroll:
        checked = toggles.autoScroll;
        return true;
    case CommandId::ViewFullAddress:
        checked = toggles.fullAddress;
        return true;
    case CommandId::ViewSmileys:
        checked = toggles.smileys;
        return true;
    case CommandId::ViewShowAway:
        checked = toggles.showAway;
        return true;
    case CommandId::ViewSource:
    case CommandId::ViewSaveAs:
        checked = false;
        return true;
    case CommandId::ViewJumpToUnread:
        enabled = m_view->UnreadMarkerLine() >= 0;
        checked = false;
        return true;
    default:
        return false;
    }
}

bool ConversationWindow::HandleCommand(int id)
{
    if (Menu()->Run(id))
        return true;
    return RunViewCommand(id) || RunFindCommand(id) || RunUserCommand(id) || RunEditCommand(id);
}

bool ConversationWindow::RunViewCommand(int id)
{
    bool enabled = false;
    bool checked = false;
    if (!UpdateViewCommand(id, enabled, checked))
        return false;
    if (!enabled)
        return true;
    switch (id) {
    case CommandId::ViewTimeStamps:
        SetTimeStamps(!checked);
        break;
    case CommandId::ViewAutoScroll:
        SetAutoScroll(!checked);
        break;
    case CommandId::ViewFullAddress:
        SetFullAddress(!checked);
        break;
    case CommandId::ViewSmileys:
        SetSmileys(!checked);
        break;
    case CommandId::ViewShowAway:
        SetShowAway(!checked);
        break;
    case CommandId::ViewSource:
        m_view->ShowSource();
        break;
    case CommandId::ViewSaveAs:
        m_view->SaveAs();
        break;
    case CommandId::ViewJumpToUnread:
        JumpToUnread();
        break;
    default:
        break;
    }
    return true;
}

UserMenuContext ConversationWindow::UserContext() const
{
    UserMenuContext context;
    context.windowType = WindowType();
    context.windowName = WindowName();
    context.currentUser = QString::fromStdString(CurrentUser());
    context.propertySheets = m_shell && m_shell->HasPropertySheets();
    context.dcc = m_shell && m_shell->HasDcc();
    return context;
}

bool ConversationWindow::RunUserCommand(int id)
{
    UserMenu::Item item;
    if (!UserMenu::ItemOfCommand(id, item))
        return false;
    UserMenu *menu = NickMenu();
    menu->SetContext(UserContext());
    menu->Action(item)->trigger();
    return true;
}

bool ConversationWindow::RunEditCommand(int id)
{
    if (id == CommandId::EditCopy) {
        if (m_input->hasFocus() && m_input->textCursor().hasSelection())
            m_input->copy();
        else
            m_view->Copy();
        return true;
    }
    if (m_kind == Conversation::KindView)
        return false;
    if (IsColourCommand(id, CommandId::TextColourFirst)) {
        m_input->SetTextColorIndex(id - CommandId::TextColourFirst);
        return true;
    }
    if (IsColourCommand(id, CommandId::BackgroundColourFirst)) {
        m_input->SetBackgroundColorIndex(id - CommandId::BackgroundColourFirst);
        return true;
    }
    switch (id) {
    case CommandId::EditUndo:
        m_input->undo();
        break;
    case CommandId::EditRedo:
        m_input->redo();
        break;
    case CommandId::EditCut:
        m_input->cut();
        break;
    case CommandId::EditPaste:
    case CommandId::EditPasteSpecial:
        m_input->paste();
        break;
    case CommandId::Bold:
        m_input->ToggleBold();
        break;
    case CommandId::Underline:
        m_input->ToggleUnderline();
        break;
    case CommandId::Plain:
        m_input->SetPlainStyle();
        break;
    case CommandId::Inverse:
        m_input->SetInverseStyle();
        break;
    case CommandId::TextColourMenu:
        m_style->PopupTextColors();
        break;
    case CommandId::BackgroundColourMenu:
        m_style->PopupBackgroundColors();
        break;
    default:
        return false;
    }
    return true;
}
