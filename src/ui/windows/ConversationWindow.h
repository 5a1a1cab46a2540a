// A conversation window: text view, input line and, in a channel, the nick list.
#pragma once

#include "conversation/Conversation.h"
#include "conversation/ConversationView.h"
#include "conversation/TypedLine.h"
#include "windows/ChildWindow.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct AppSettings;
struct LoggedLine;
class ConversationToolBar;
class FindBar;
class InputLine;
class TextView;
class ConversationMenu;
class NickListSplitter;
class TextStyleButton;
class NickListView;
class UserMenu;
struct UserMenuContext;
class Conversation;
class QMdiArea;
class Session;
class SessionTable;
class Shell;

// The window of one conversation: the server status window of a session, a
// channel or a private conversation. It shows what the conversation prints
// (keeping the newest "Max Text Size" characters of it), lays out the text
// view, the input line with its style button, and for a channel the channel
// tool bar, the splitter and the nick list; it sends what the user types,
// carries out the "&Kanál" menu and the view toggles, polls away states with
// WHO, and keeps its placement and toggles in "Window Data".
//
// Kinds: 0 view only, 1 view and input line, 2 with nick list; types: 1
// status, 2 channel (with the tool bar), 4 private.
class InputConversationSource;

class ConversationWindow : public ChildWindow, public ConversationView
{
    Q_OBJECT

public:
    static constexpr int kMinTextColumns = 20; // the nick list gives way to keep the text this wide
    static constexpr int kStyleButtonWidth = 22;
    static constexpr int kScrollDelayMs = 100;      // timer 1, once after a resize
    static constexpr int kWhoPollMs = 100000;       // timer 3
    static constexpr int kFitDelayMs = 100;         // the nick list is fitted to its nicks at most this often
    static constexpr int kMinMaxTextSize = 1000000; // the least text limit, whatever "Max Text Size" says

    // Where the window's command lines go: (window name, number, line); the
    // number is the window kind for typed commands and 0 otherwise. By
    // default Command of the conversation's session.
    using CommandSink = std::function<int(const std::string &window, int number, const std::string &line)>;

    // Makes the window of a conversation and puts it into the area, placed
    // from its saved record, and attaches it to the conversation. This is what
    // the application's Shell::CreateView calls.
    static ConversationWindow *Open(QMdiArea *area, Conversation &conversation, Shell *shell,
                                    const AppSettings &settings);

    // settings must outlive the window; shell may be null.
    ConversationWindow(Conversation &conversation, Shell *shell, const AppSettings &settings,
                       QWidget *parent = nullptr);
    ~ConversationWindow() override;

    // The conversation shown; null once it has gone (the window then closes).
    Conversation *GetConversation() const { return m_conversation; }
    // The conversation's type (a window may become a channel on JOIN).
    Conversation::WindowType WindowType() const;

    // ---- the print interface ----
    // Shows one line: false for an empty text. time: seconds since 1970, 0 now.
    bool Print(const std::string &text, int textClass, int64_t time = 0);
    // The HTML Print would write, with this window's time-stamp toggle.
    std::string FormatLine(const std::string &text, int textClass) const;
    // The line to the session's Command with the window name and 0; nothing
    // (0) when the session is gone.
    int RunCommand(const std::string &line);
    // The window name in a private window, else the nick selected in the list.
    std::string CurrentUser() const;
    void SelectNick(const std::string &nick);
    int NickCount() const;
    void SetNickAway(const std::string &nick, const std::string &text);

    // Sends a line typed into the input line (formatting bytes included).
    void SendTypedLine(const std::string &text);

    // ---- the past and the reader's place ----
    // Shows lines of the conversation's log again, before anything new: in
    // faded colours, with their own time stamps, the senders' nicks decorated
    // as nicks, and after them a separator with the date of the last one.
    // They are not printed, so not logged again.
    void ShowAgain(const std::vector<LoggedLine> &lines);
    // Whether the user can be reading the window now: it is the active child
    // window, neither minimised nor hidden, and the main window is active.
    // Leaving that state remembers the place where the reader stopped; the
    // view then marks the first line that comes after it.
    bool IsBeingRead() const;
    // Scrolls to the marker above the first unread line; false without one.
    bool JumpToUnread();

    // ---- toggles and layout ----
    void SetTimeStamps(bool on);
    void SetAutoScroll(bool on);
    void SetFullAddress(bool on);
    void SetSmileys(bool on);
    void SetShowAway(bool on);
    // The nick list width the user chose by dragging the splitter, or
    // kAutoNickListWidth while the list follows its longest nick. Either is
    // laid out no narrower than the list's minimum and, as far as that
    // allows, leaving the text kMinTextColumns characters.
    int NickListWidth() const { return m_nickListWidth; }
    void SetNickListWidth(int width);
    // Places the panes for the current size.
    void LayoutPanes();
    // Timer 3's work: "/who %s" when away states are shown and the list has
    // 1 member or more, below Dispatch::kWhoNickLimit.
    void PollAway();
    // The address book changed: nicks of contacts are recognised anew.
    void ContactsChanged();
    // Opens a contact's entry in the contact dialog (modal).
    void EditContact(const std::string &nick);

    // ---- finding ----
    // Opens the find bar below the text with the keyboard in it; a
    // selection of one line in the view becomes the text to find.
    void OpenFindBar();
    // Scrolls the view to a line LastLineId gave; false when that line has
    // gone past the text limit.
    bool ScrollToShownLine(uint64_t lineId);

    // ---- parts ----
    TextView *View() const { return m_view; }
    InputLine *Input() const { return m_input; }
    NickListView *Users() const { return m_users; }
    ConversationToolBar *Bar() const { return m_bar; }
    NickListSplitter *Sizer() const { return m_sizer; }
    TextStyleButton *StyleButton() const { return m_style; }
    // The find bar, made when first opened (null until then).
    FindBar *Finder() const { return m_findBar; }
    // Made when first asked for.
    ConversationMenu *Menu();
    UserMenu *NickMenu();
    // What the user menu acts on now.
    UserMenuContext UserContext() const;

    // ---- connections to other parts ----
    void SetCommandSink(CommandSink sink) { m_commandSink = std::move(sink); }

    // ---- ConversationView ----
    bool ShowLine(const std::string &text, int textClass, int64_t time) override;
    bool ShowPlayedBackLine(const std::string &text, int textClass, int64_t time) override;
    void ShowNote(const std::string &text) override;
    void SetTitle(const std::string &title) override;
    void TopicChanged(const std::string &topic) override;
    void ChannelStateChanged() override;
    void NickListChanged() override;
    void Close() override;
    bool IsActive() const override;
    void Activate() override;
    uint64_t LastLineId() const override;

    // ---- ShellChild ----
    QString ButtonToolTip() const override;
    bool HasActivity() const override;
    bool UpdateCommand(int id, bool &enabled, bool &checked) const override;
    bool HandleCommand(int id) override;
    QStringList ScriptNames() const override;
    void SettingsChanged() override;

    // ---- ChildWindow ----
    std::string RecordKey() const override;
    std::string SavedRecord() const override;
    // The record to write when the window closes (see m_savedRecord).
    std::optional<std::string> RecordToKeep() const;

protected:
    void Activated() override;
    bool CloseRequested() override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreatePanes();
    void ConnectPanes();
    void CheckKind();
    void FitNickList();
    int LaidOutNickListWidth(int room, int height) const;
    void ApplyRecord(const Record &record);
    void SetUpFormatContext();
    void RefreshFormatContext();
    void ReloadContacts();
    bool IsContact(const std::string &nick) const;
    Session *GetSession() const;
    int Send(int number, const std::string &line);
    bool IsDccChat() const;
    TypedLine::Window TypedWindow() const;
    void SendDccChat(const std::string &text);
    // The view keeps "Max Text Size" characters of text, at least kMinMaxTextSize.
    void ApplyTextLimit();
    void NoteActivity(const std::string &text, int textClass);
    // Whether a line now would be read at once (this is the active child of the active main window).
    bool IsSeenAtOnce() const;
    std::string BalloonTitle() const;
    void CopyOnPlainClick();
    void ShowViewMenu(const QString &command, const QPoint &globalPos);
    // Through the shell: the properties of a channel or user, the ban list.
    void OpenProperties(const std::string &name);
    void OpenWindowProperties();
    void OpenBanList();
    void ForgetConversation();
    // Follows the reader from the area's activations, the child window's
    // state and the application's focus (each looked at once things settle).
    void WatchTheReader(QMdiArea *area);
    void FollowTheReader();
    bool RunEditCommand(int id);
    bool RunViewCommand(int id);
    bool RunUserCommand(int id);
    bool UpdateViewCommand(int id, bool &enabled, bool &checked) const;
    bool RunFindCommand(int id);
    // Timer 1: to the end, or to the line the window was just sent to.
    void ScrollAfterResize();
    void MarkSeen();
    void FindBarClosed();

    Conversation *m_conversation;
    // Tab completion of the input line reads the conversation through this.
    std::unique_ptr<InputConversationSource> m_completionSource;
    Shell *m_shell;
    const AppSettings &m_settings;
    SessionTable *m_table = nullptr;
    std::string m_displayName; // the session's display name, kept for the record and balloons
    Conversation::WindowKind m_kind;
    Conversation::WindowType m_type;
    int m_nickListWidth = kAutoNickListWidth;
    int m_fittedListWidth = 0; // grows with the longest nick seen, never shrinks under the reader
    // Written once the conversation has gone; nothing (the key removed) for
    // a DCC chat window, which lasts one chat.
    std::optional<std::string> m_savedRecord;
    CommandSink m_commandSink;

    ConversationToolBar *m_bar = nullptr;
    TextView *m_view = nullptr;
    InputLine *m_input = nullptr;
    NickListView *m_users = nullptr;
    NickListSplitter *m_sizer = nullptr;
    TextStyleButton *m_style = nullptr;
    ConversationMenu *m_menu = nullptr;
    UserMenu *m_userMenu = nullptr;
    FindBar *m_findBar = nullptr;
    QTimer m_scrollTimer;           // timer 1
    uint64_t m_lineAfterResize = 0; // ScrollToShownLine's line while timer 1 runs
    QTimer m_whoTimer;              // timer 3
    QTimer m_fitTimer;              // measures the nicks after a burst of changes
    QTimer m_readerCheck;           // looks whether the reader left, once activations settle
    bool m_beingRead = false;
    int64_t m_lastLook = 0; // when the reader last had the window before them (seconds since 1970)
};
