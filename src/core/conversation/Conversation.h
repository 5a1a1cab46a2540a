#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "conversation/ChannelState.h"
#include "conversation/ConversationOwner.h"
#include "conversation/SeenLines.h"
#include "conversation/WindowConnection.h"
#include "conversation/WindowScript.h"
#include "text/TextClass.h"

class ConversationView;
class NickList;

// One conversation of a session (what the user sees as a window): the server
// status window, a channel or a private conversation. It holds the state of
// the conversation; its window (ConversationView) only shows it.
// A session owns its conversations; a conversation is created without a view
// and gets one from the Shell.
class Conversation
{
public:
    // Window types: the server's status window, a channel, a private conversation.
    // Fixed underlying types: scripts may hand in numbers outside these lists,
    // which are reported, and holding them must stay defined.
    enum WindowType : int { TypeStatus = 1, TypeChannel = 2, TypePrivate = 4 };
    // Window kinds (panes): 0 view only, 1 view and input line, 2 with nick list.
    enum WindowKind : int { KindView = 0, KindText = 1, KindChannel = 2 };

    struct Toggles
    {
        bool timeStamps = true;
        bool autoScroll = true;
        bool fullAddress = false;
        bool smileys = true;
        bool showAway = true;
        bool logging = true; // "/log on|off": the window's lines go to its log
    };

    // owner may be null (a conversation of no session, e.g. in tests).
    Conversation(ConversationOwner *owner, const std::string &name, WindowKind kind, WindowType type);
    ~Conversation();
    Conversation(const Conversation &) = delete;
    Conversation &operator=(const Conversation &) = delete;

    const std::string &Name() const { return m_name; }
    // Renames the conversation (a private partner changed nick); the caption follows.
    void Rename(const std::string &name);
    WindowKind Kind() const { return m_kind; }
    WindowType Type() const { return m_type; }
    // A window can change type (a window first opened otherwise becomes a channel on JOIN).
    void SetType(WindowType type) { m_type = type; }
    bool IsChannel() const { return m_type == TypeChannel; }
    // A channel, a private conversation or a DCC chat: a window whose lines are logged.
    bool IsTalk() const { return m_type == TypeChannel || m_type == TypePrivate || m_dccChat != nullptr; }
    // The session the conversation belongs to (Session::Of gives it as a
    // Session), or null.
    ConversationOwner *Owner() const { return m_owner; }
    // Key of the session, empty without one.
    std::string SessionKey() const;

    // Caption: the window name, or the name, a blank and the topic.
    const std::string &Title() const { return m_title; }
    void SetTitle(const std::string &title);

    // The window. Without one nothing is printed.
    ConversationView *View() const { return m_view; }
    bool HasView() const { return m_view != nullptr; }
    void AttachView(ConversationView *view) { m_view = view; }
    // Called by the view when its window is destroyed.
    void DetachView(ConversationView *view);

    // Shows one line and hands it to the owner's recorder: false (nothing
    // shown or recorded) for an empty text or without a view. time: seconds
    // since 1970, 0 = now.
    // A line the owner says was played back by a bouncer is shown as such
    // (ShowPlayedBackLine), after a separator the first time in an
    // attachment and a date line where the day changes; it is neither shown
    // nor recorded when the window showed it already or the recorder holds
    // it (the same second, class and text, or the same msgid).
    // textClass: a TextClass value (other values above Error show as Info).
    bool Print(const std::string &text, int textClass, int64_t time = 0);
    bool Print(const std::string &text, TextClass textClass, int64_t time = 0)
    {
        return Print(text, static_cast<int>(textClass), time);
    }

    // The session attached again (a new welcome): the next played-back line
    // gets a separator before it again.
    void BeginAttachment() { m_playback = Playback(); }

    // Hands a command line to the session's Command with this window's name
    // and the number 0; nothing happens without a session.
    int RunCommand(const std::string &line);

    // Channel state.
    ChannelState &Channel() { return m_channel; }
    const ChannelState &Channel() const { return m_channel; }
    // Stores the topic without formatting bytes, keeps its history, sets the caption.
    void SetTopic(const std::string &text);
    const std::string &GetTopic() const { return m_channel.Topic(); }
    void ApplyModes(const std::string &modes, const std::string &parameters, const std::string &line,
                    const ModeRules &rules = ModeRules::Defaults());
    // Channel windows only: empties the ban list and asks the server for the
    // modes and bans again.
    void RefreshChannel();

    // Nick list (members of a channel).
    NickList &Nicks() { return *m_nicks; }
    const NickList &Nicks() const { return *m_nicks; }
    // Tells the view that the nick list changed.
    void NickListChanged();
    // The nick user commands act on: the window name of a private window,
    // otherwise the nick selected in the nick list.
    std::string CurrentUser() const;

    Toggles &GetToggles() { return m_toggles; }
    const Toggles &GetToggles() const { return m_toggles; }

    // Scripts loaded into this window: name -> path.
    std::map<std::string, std::string> &Scripts() { return m_scripts; }
    // Their running interpreters, by the same names (the script engine keeps
    // both). They end with the window; one that is running as the window
    // closes finishes first and reaches the window no more.
    std::map<std::string, std::shared_ptr<WindowScript>> &ScriptObjects() { return m_scriptObjects; }

    // The DCC connection of a DCC chat window (owned by the DCC code), or null.
    WindowConnection *DccChat() const { return m_dccChat; }
    void SetDccChat(WindowConnection *dcc) { m_dccChat = dcc; }
    // A window opened for a DCC chat: it lasts one chat, so nothing about it
    // (its placement) is remembered once it closes.
    bool IsDccChatWindow() const { return m_dccChatWindow; }
    void MarkDccChatWindow() { m_dccChatWindow = true; }

    bool Activity() const { return m_activity; }
    void SetActivity(bool on) { m_activity = on; }

private:
    // The played-back lines of the current attachment.
    struct Playback
    {
        bool separatorShown = false;
        int dayShown = 0; // yyyymmdd of the day the lines are on
    };
    bool IsShownOrRecorded(const std::string &text, int textClass, int64_t time, const std::string &id) const;
    void ShowPlaybackNotes(int64_t time);

    ConversationOwner *m_owner;
    std::string m_name;
    WindowKind m_kind;
    WindowType m_type;
    std::string m_title;
    ConversationView *m_view = nullptr;
    std::unique_ptr<NickList> m_nicks;
    ChannelState m_channel;
    Toggles m_toggles;
    std::map<std::string, std::string> m_scripts;
    std::map<std::string, std::shared_ptr<WindowScript>> m_scriptObjects;
    WindowConnection *m_dccChat = nullptr;
    bool m_dccChatWindow = false;
    bool m_activity = false;
    SeenLines m_seen;
    Playback m_playback;
};
