#pragma once

#include <cstdint>
#include <string>

class DirectConnect;
class Conversation;
class ConversationView;
class FileProgress;
class ScriptHost;
class WindowConnection;
class Session;
struct Question;
struct UserAlert;

// What the core asks of the application (BrimoApp in the program, a recording
// fake in tests). Every call comes on the UI thread.
class Shell
{
public:
    // Bits of RefreshShell.
    enum RefreshBits { RefreshMenus = 1, RefreshWindowBar = 2, RefreshSettings = 4, RefreshTray = 8 };
    // Buttons of MessageBox (one of the first four, optionally with
    // DefaultSecond: the second button is the default) and its answers.
    // Save, Discard and Cancel ask about changes that would be lost.
    enum Buttons {
        ButtonsOk = 0,
        ButtonsOkCancel = 1,
        ButtonsSaveDiscardCancel = 3,
        ButtonsYesNo = 4,
        DefaultSecond = 0x100
    };
    enum Answer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7, AnswerSave = 8, AnswerDiscard = 9 };

    virtual ~Shell() = default;

    // A window for a new conversation; null when none can be made (the
    // conversation then lives without a view and prints nothing).
    // The view must call Conversation::DetachView before it is destroyed.
    virtual ConversationView *CreateView(Conversation &conversation) = 0;

    // Menus, window bar, settings, tray icon follow the core (bits above).
    virtual void RefreshShell(int bits) = 0;

    // A tray balloon for a printed line (title, unconverted text, text class).
    virtual void ShowBalloon(const std::string &title, const std::string &text, int textClass) = 0;

    // A private message, a line naming the user or an offer that came while
    // the user was looking elsewhere (not at its window, or not at the
    // program): the desktop is asked to tell of it. Without desktop
    // notifications nothing happens.
    virtual void AlertUser(const UserAlert &alert) { (void)alert; }

    // An incoming request (a private chat, a DCC chat or file, a server's
    // certificate) to be accepted or refused by the user, now or when the
    // question queue allows.
    virtual void AskQuestion(const Question &question) = 0;

    // A message box; returns the Answer chosen (the fake answers as told).
    virtual int MessageBox(const std::string &text, const std::string &title, int buttons) = 0;

    // Common file dialogs; an empty result means cancelled. filter uses the
    // "Text (*.txt)|*.txt|...||" form of the string table. The save dialog
    // does not ask about an existing file: its caller does.
    virtual std::string OpenFileDialog(const std::string &folder, const std::string &filter) = 0;
    virtual std::string SaveFileDialog(const std::string &folder, const std::string &fileName,
                                       const std::string &filter) = 0;

    // The notices pop-up (NoticesWindow): one more line of ready HTML.
    virtual void PopupLine(const std::string &html) = 0;

    // Open user-property sheets collect WHOIS and CTCP replies about a nick.
    virtual void UserPropertiesLine(const std::string &sessionKey, const std::string &nick,
                                    const std::string &line) = 0;

    // The channel search window of a session (ChannelListFeed): a list
    // begins, one row of it (the topic as received), the list has ended. A
    // beginning or a row opens the window when the session has none.
    virtual void ChannelListBegin(const std::string &sessionKey) = 0;
    virtual void ChannelListRow(const std::string &sessionKey, const std::string &channel, uint32_t users,
                                const std::string &topic) = 0;
    virtual void ChannelListEnd(const std::string &sessionKey) = 0;

    // Opens a web address or file with the desktop ("www." gets "http://").
    virtual void OpenLink(const std::string &address) = 0;

    virtual bool IsMainWindowVisible() const = 0;
    virtual bool IsMainWindowActive() const = 0;

    // A system sound; kind is the sound of the settings ("Beep Baloon"), 0 the default beep.
    virtual void Beep(int kind) = 0;

    // The application's own windows that commands open ("/help", "/debug",
    // "/search"). An application without such a window keeps the defaults.
    // The help window: brought to the front, or created (title Str::HelpTitle).
    virtual void OpenHelpWindow() {}
    // The debug window: created once; true when it is open afterwards.
    virtual bool OpenDebugWindow() { return false; }
    // The channel search window of a session: created when needed and
    // brought to the front; false when it cannot be made.
    virtual bool OpenSearchWindow(const std::string &sessionKey)
    {
        (void)sessionKey;
        return false;
    }
    // Closes that window; the result of closing it (false when none is open).
    virtual bool CloseSearchWindow(const std::string &sessionKey)
    {
        (void)sessionKey;
        return false;
    }

    // The properties sheet of a session's channel or user, and the ban list
    // dialog of a channel. An application without them keeps the defaults,
    // and the menu items that open them are disabled.
    virtual bool HasPropertySheets() const { return false; }
    // Direct chats and file transfers (DccCommand and the offers below);
    // without them the menu items that start one are disabled.
    virtual bool HasDcc() const { return false; }
    virtual void OpenProperties(Session &session, const std::string &name)
    {
        (void)session;
        (void)name;
    }
    virtual bool HasBanList() const { return false; }
    virtual void OpenBanList(Session &session, const std::string &channel)
    {
        (void)session;
        (void)channel;
    }

    // The script engine that loads scripts and is offered every line issued
    // from a window that has scripts; null: none, "/load" then only records
    // the script in its window and no script ever takes a line.
    virtual ScriptHost *Scripts() { return nullptr; }

    // DCC. "/dcc" (window: the issuing window's name, may be empty): 1 done,
    // 0 unusable; without DCC a recognised command that does nothing.
    virtual int DccCommand(Session &session, const std::string &window, const std::string &line)
    {
        (void)session;
        (void)window;
        (void)line;
        return 0;
    }
    // A received offer ("DCC CHAT ..." or "DCC SEND ...", body without the
    // framing; prefix: the sender's nick!user@host). false leaves it to the
    // built-in handling (Ctcp::ReceiveDccOffer).
    virtual bool TakeDccOffer(Session &session, const std::string &body, const std::string &senderPrefix)
    {
        (void)session;
        (void)body;
        (void)senderPrefix;
        return false;
    }
    // Chat text typed into a DCC chat window, for its connection; false when
    // it cannot be sent.
    virtual bool SendDccChat(WindowConnection &connection, const std::string &text)
    {
        (void)connection;
        (void)text;
        return false;
    }
    // The progress of a file transfer that has begun (the progress dialog):
    // its file, its direction text (Str::DccDirection). Null: nothing shown.
    // The connection calls FileProgress::Finish when it ends.
    virtual FileProgress *OpenFileProgress(DirectConnect &connection, const std::string &path,
                                           const std::string &direction)
    {
        (void)connection;
        (void)path;
        (void)direction;
        return nullptr;
    }
};
