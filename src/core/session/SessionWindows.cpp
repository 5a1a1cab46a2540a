// The registry of a session's conversations and the routing of printed lines.
#include "session/Session.h"

#include "conversation/Conversation.h"
#include "conversation/ConversationView.h"
#include "conversation/LineRecorder.h"
#include "conversation/NickList.h"
#include "conversation/ScriptLoad.h"
#include "conversation/Shell.h"
#include "conversation/UserAlert.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/IrcCodes.h"
#include "text/StrPrintf.h"

#include <ctime>

Conversation *Session::FindWindow(const std::string &name) const
{
    auto it = m_windows.find(FoldCase(name));
    if (it == m_windows.end() || !it->second->HasView())
        return nullptr;
    return it->second.get();
}

Conversation *Session::OpenWindow(const std::string &name, Conversation::WindowKind kind, Conversation::WindowType type)
{
    const std::string lower = FoldCase(name);
    if (lower.empty())
        return nullptr;
    Conversation *window;
    auto it = m_windows.find(lower);
    if (it != m_windows.end()) {
        window = it->second.get();
    } else {
        auto created = std::make_unique<Conversation>(this, lower, kind, type);
        window = created.get();
        window->SetTitle(lower);
        window->Nicks().SetStatuses(m_modes);
        m_windows.emplace(lower, std::move(created));
        if (Shell *shell = GetShell())
            window->AttachView(shell->CreateView(*window));
    }
    Command("", 0, ScriptLoad{lower, ScriptLoad::kDefaultScript, false}.CommandLine());
    if (Shell *shell = GetShell())
        shell->RefreshShell(Shell::RefreshWindowBar);
    return window;
}

bool Session::CloseWindow(const std::string &name)
{
    const std::string lower = FoldCase(name);
    auto it = m_windows.find(lower);
    if (it == m_windows.end())
        return false;
    // Out of the registry first: the commands below may look windows up.
    std::unique_ptr<Conversation> window = std::move(it->second);
    m_windows.erase(it);
    if (LineRecorder *recorder = Recorder())
        recorder->WindowClosed(*window);
    if (WindowConnection *chat = window->DccChat()) {
        window->SetDccChat(nullptr);
        if (!EqualIgnoringCase(name, m_key))
            chat->OwnerWindowClosed();
    } else if (window->IsChannel()) {
        Command("", 0, StrPrintf("/servermsg PART %s close", lower.c_str()));
    }
    window.reset();
    if (Shell *shell = GetShell())
        shell->RefreshShell(Shell::RefreshWindowBar);
    return true;
}

bool Session::RenameWindow(const std::string &oldName, const std::string &newName)
{
    const std::string oldKey = FoldCase(oldName);
    const std::string newKey = FoldCase(newName);
    auto it = m_windows.find(oldKey);
    if (it == m_windows.end() || newKey.empty())
        return false;
    if (newKey != oldKey && m_windows.count(newKey))
        return false; // never drop the window already filed under the new name
    auto node = m_windows.extract(it);
    node.mapped()->Rename(newName);
    node.key() = newKey;
    m_windows.insert(std::move(node));
    return true;
}

Conversation *Session::OwnLineWindow(const std::string &target)
{
    const bool channel = !target.empty() && std::string_view("#&+!").find(target[0]) != std::string_view::npos;
    if (channel || EqualIgnoringCase(target, m_nick))
        return FindWindow(target);
    if (Conversation *window = FindWindow(target))
        return window;
    return OpenWindow(target, Conversation::KindText, Conversation::TypePrivate);
}

Conversation *Session::ServerWindow() const
{
    return FindWindow(m_key);
}

std::vector<Conversation *> Session::Windows() const
{
    std::vector<Conversation *> windows;
    windows.reserve(m_windows.size());
    for (const auto &entry : m_windows)
        windows.push_back(entry.second.get());
    return windows;
}

bool Session::PrintTo(const std::string &target, int textClass, const std::string &text, bool toAll, int64_t time)
{
    if (toAll) {
        bool shown = false;
        for (Conversation *window : Windows()) {
            if (window->HasView())
                shown = window->Print(text, textClass, time) || shown;
        }
        return shown;
    }
    Conversation *window = PrintedWindow(target);
    return window && window->Print(text, textClass, time);
}

bool Session::NoteMention(const std::string &target, const std::string &sender, const std::string &text)
{
    MentionList &mentions = m_table.Mentions();
    const std::string plain = StripCodes(text);
    if (EqualIgnoringCase(sender, m_nick) || !mentions.Names(plain, m_nick))
        return false;
    Conversation *window = PrintedWindow(target);
    Mention mention;
    mention.m_time = LineTime() != 0 ? LineTime() : int64_t(std::time(nullptr));
    mention.m_sessionKey = m_key;
    mention.m_network = m_humanName;
    mention.m_window = window ? window->Name() : m_key;
    mention.m_nick = sender;
    mention.m_text = plain;
    ConversationView *view = window ? window->View() : nullptr;
    mention.m_lineId = view ? view->LastLineId() : 0;
    // Read at once when it came into the window the user is reading.
    Shell *shell = GetShell();
    mention.m_unread = !(view && view->IsActive() && shell && shell->IsMainWindowActive());
    mentions.Add(std::move(mention));
    return true;
}

void Session::NoteMessage(const std::string &target, const std::string &sender, const std::string &text, bool toMe)
{
    const bool named = NoteMention(target, sender, text);
    Shell *shell = GetShell();
    if (!(toMe || named) || !shell || sender.empty() || EqualIgnoringCase(sender, m_nick))
        return;
    const int64_t sent = LineTime();
    if (IsPlayedBack() || (sent != 0 && int64_t(std::time(nullptr)) - sent > kAlertAgeLimit))
        return;
    const Conversation *window = PrintedWindow(target);
    const ConversationView *view = window ? window->View() : nullptr;
    if (view && view->IsActive() && shell->IsMainWindowActive())
        return;
    UserAlert alert;
    alert.kind = toMe ? UserAlert::Kind::PrivateMessage : UserAlert::Kind::Mention;
    alert.sessionKey = m_key;
    alert.window = window ? window->Name() : m_key;
    alert.sender = sender;
    alert.text = text;
    shell->AlertUser(alert);
}

Conversation *Session::PrintedWindow(const std::string &target) const
{
    Conversation *window = FindWindow(target.empty() ? m_key : target);
    return window ? window : FindWindow(m_key);
}

void Session::PrintStatus(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string message = VStrPrintf(format, args);
    va_end(args);
    PrintTo("", TextClass::Info, message);
}

void Session::LiftExpiredBans(int64_t now)
{
    AutomaticLines automatic(*this);
    if (!m_connected)
        return;
    for (Conversation *window : Windows()) {
        if (!window->IsChannel())
            continue;
        for (const std::string &mask : window->Channel().TakeExpiredBans(now))
            window->RunCommand(StrPrintf("/servermsg MODE %s -b %s", window->Name().c_str(), mask.c_str()));
    }
}
