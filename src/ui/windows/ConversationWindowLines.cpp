// What a conversation window prints and sends: shown lines with the text
// limit, the activity flag, beep and balloon; typed lines, command lines
// of clicks and menus, DCC chat text, and the away poll.
#include "windows/ConversationWindow.h"

#include "config/AppSettings.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "conversation/Shell.h"
#include "conversation/TypedLine.h"
#include "nicklist/NickListView.h"
#include "session/DispatchHandlers.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "view/TextView.h"

#include <algorithm>

// ---- printing ----

bool ConversationWindow::Print(const std::string &text, int textClass, int64_t time)
{
    return ShowLine(text, textClass, time);
}

bool ConversationWindow::ShowLine(const std::string &text, int textClass, int64_t time)
{
    if (text.empty())
        return false;
    RefreshFormatContext();
    const bool timeStamps = m_conversation ? m_conversation->GetToggles().timeStamps : true;
    NoteActivity(text, textClass);
    m_view->WriteLine(text, static_cast<TextClass>(textClass), timeStamps, static_cast<std::time_t>(time));
    return true;
}

bool ConversationWindow::ShowPlayedBackLine(const std::string &text, int textClass, int64_t time)
{
    if (text.empty())
        return false;
    RefreshFormatContext();
    const bool timeStamps = m_conversation ? m_conversation->GetToggles().timeStamps : true;
    if (m_conversation && time > m_lastLook && !IsSeenAtOnce())
        m_conversation->SetActivity(true);
    m_view->WriteLine(text, static_cast<TextClass>(textClass), timeStamps, static_cast<std::time_t>(time));
    return true;
}

void ConversationWindow::ShowNote(const std::string &text)
{
    RefreshFormatContext();
    m_view->WriteLine(text, TextClass::Info, false, 0);
}

void ConversationWindow::ApplyTextLimit()
{
    m_view->SetTextLimit(std::max<int64_t>(m_settings.m_maxTextSize, kMinMaxTextSize));
}

bool ConversationWindow::IsSeenAtOnce() const
{
    return IsActiveChild() && m_shell && m_shell->IsMainWindowActive();
}

void ConversationWindow::NoteActivity(const std::string &text, int textClass)
{
    const bool mainActive = m_shell && m_shell->IsMainWindowActive();
    if (m_conversation && !IsSeenAtOnce())
        m_conversation->SetActivity(true);
    if (!m_shell)
        return;
    if (m_settings.m_beepOnMessage && !mainActive)
        m_shell->Beep(0);
    if (!m_shell->IsMainWindowVisible() && m_settings.m_showBalloon)
        m_shell->ShowBalloon(BalloonTitle(), text, textClass);
}

std::string ConversationWindow::BalloonTitle() const
{
    if (WindowType() == Conversation::TypeStatus)
        return m_displayName;
    return m_conversation ? m_conversation->Name() : WindowNameText();
}

std::string ConversationWindow::FormatLine(const std::string &text, int textClass) const
{
    const bool timeStamps = m_conversation ? m_conversation->GetToggles().timeStamps : true;
    return m_view->FormatLine(text, static_cast<TextClass>(textClass), timeStamps, 0);
}

// ---- commands ----

int ConversationWindow::Send(int number, const std::string &line)
{
    if (!m_conversation)
        return 0;
    const std::string window = m_conversation->Name();
    if (m_commandSink)
        return m_commandSink(window, number, line);
    Session *session = GetSession();
    return session ? session->Command(window, number, line) : 0;
}

int ConversationWindow::RunCommand(const std::string &line)
{
    if (!GetSession())
        return 0;
    return Send(0, line);
}

std::string ConversationWindow::CurrentUser() const
{
    return m_conversation ? m_conversation->CurrentUser() : std::string();
}

void ConversationWindow::SelectNick(const std::string &nick)
{
    if (m_conversation)
        m_conversation->Nicks().SelectNick(nick);
}

int ConversationWindow::NickCount() const
{
    return m_conversation ? m_conversation->Nicks().NickCount() : 0;
}

void ConversationWindow::SetNickAway(const std::string &nick, const std::string &text)
{
    if (m_conversation && m_conversation->Nicks().SetNickAway(nick, text))
        m_users->viewport()->update();
}

bool ConversationWindow::IsDccChat() const
{
    if (!m_conversation || !m_conversation->DccChat())
        return false;
    const QString name = QString::fromStdString(m_conversation->Name());
    return name.compare(SessionName(), Qt::CaseInsensitive) != 0;
}

void ConversationWindow::SendDccChat(const std::string &text)
{
    // The connection shows the line as sent, or says why it was not.
    if (m_conversation && m_shell)
        m_shell->SendDccChat(*m_conversation->DccChat(), text);
}

void ConversationWindow::SendTypedLine(const std::string &text)
{
    if (!m_conversation)
        return;
    const TypedLine typed = TypedLine::Of(text, TypedWindow());
    if (typed.meaning == TypedLine::Meaning::Nothing)
        return;
    if (typed.meaning == TypedLine::Meaning::DccChat) {
        SendDccChat(text);
        return;
    }
    Session *session = GetSession();
    if (!session) {
        if (m_table)
            m_table->DebugLog("\n!!!CANNOT GET KERNEL: %s, from: %s", SessionNameText().c_str(),
                              m_conversation->Name().c_str());
        return;
    }
    if (typed.meaning == TypedLine::Meaning::RefusedInStatus) {
        session->PrintTo("", TextClass::Info, Strings::Get(Str::NoTextToServer));
        session->PrintTo("", TextClass::Info, Strings::Get(Str::QuoteCommandHint));
        return;
    }
    Send(typed.number, typed.commandLine);
}

TypedLine::Window ConversationWindow::TypedWindow() const
{
    TypedLine::Window window;
    window.name = m_conversation->Name();
    window.kind = m_kind;
    window.isStatus = WindowType() == Conversation::TypeStatus;
    window.isDccChat = IsDccChat();
    return window;
}

void ConversationWindow::PollAway()
{
    if (!m_conversation || !GetSession() || !m_conversation->GetToggles().showAway)
        return;
    // The server tells of every member who goes away or comes back.
    if (GetSession()->Caps().IsEnabled("away-notify"))
        return;
    const int count = NickCount();
    if (count > 0 && count < Dispatch::kWhoNickLimit) {
        Session::AutomaticLines automatic(*GetSession());
        RunCommand(StrPrintf("/who %s", m_conversation->Name().c_str()));
    }
}
