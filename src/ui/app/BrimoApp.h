#pragma once

#include "app/DebugLogWindow.h"
#include "app/HelpViewer.h"
#include "app/MainWindow.h"
#include "commands/CommandDispatcher.h"
#include "config/AppSettings.h"
#include "config/Config.h"
#include "config/StoredSecrets.h"
#include "conversation/Shell.h"
#include "dialogs/NoticesWindow.h"
#include "dialogs/QuestionDialog.h"
#include "dialogs/WelcomeDialog.h"
#include "search/ChannelSearchWindow.h"
#include "shell/BalloonQueue.h"
#include "shell/QuestionQueue.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class NotificationLoop;
class DesktopAlerts;
class QDBusConnection;
class ScriptEditorWindow;
class DirectConnections;
class ScriptEngine;
class TerminationSignals;
class QtTranslation;
class IdentServer;
class QSettings;
class Session;
class SessionTable;
class ConversationLog;
class FindEverywhereWindow;
class HistoryIndex;
struct LogFound;

// The application object: start-up and exit, the table of sessions, the
// settings record, the debug and help windows, the tray balloons and the
// questions about incoming requests. It is the Shell through which the core
// reaches the user interface. One instance per program (Instance()).
class BrimoApp : public QObject, public Shell, public ConfigReporter
{
    Q_OBJECT

public:
    // Exit codes of Start (and of a later start that found the running
    // program not answering).
    enum StartResult { Started = 0, NoMainWindow = 1, NoResources = 2, AlreadyRunning = 3 };

    explicit BrimoApp(QObject *parent = nullptr);
    ~BrimoApp() override;

    static BrimoApp *Instance();

    // The start-up sequence; arguments as QCoreApplication::arguments() (the
    // first word after the program name may be "debug"). Started or a code
    // to end the program with.
    int Start(const QStringList &arguments);
    // The exit sequence: every session closed (QUIT, then PART of its
    // channels), the windows destroyed. Runs once; later calls do nothing.
    void Exit();
    bool HasExited() const { return m_exited; }
    // Ends the program as its Exit command does once the windows agreed:
    // placement and bar state written, the exit sequence, the event loop left.
    void Quit();
    // A termination signal: the program ends without questions, but not from
    // inside a dialog's own event loop (what waits for the answer returns
    // first): open dialogs are cancelled and the end comes once none is left.
    void EndWhenIdle();
    // The desktop session is ending (or saving itself): asks the script
    // editors about changes not saved when the session manager lets the
    // program ask, and writes the placement and bar state. False when the
    // user cancelled.
    bool CommitSessionData(bool mayAsk);
    // A later start of the program on the same settings handed over its
    // links (maybe none): they are opened, and the main window comes forward,
    // out of the tray or a minimised state too.
    void TakeLaterStart(const QStringList &links);

    // Where "Bar States" are kept (default: the per-user settings "Brimo").
    // Tests hand a settings object of their own before Start.
    void SetBarStateStore(QSettings *store);
    QSettings &BarStateStore();

    // The D-Bus connection of the desktop's notification service (default:
    // the session bus). Tests hand a private bus of their own before Start.
    void SetDesktopBus(const QDBusConnection &bus);
    DesktopAlerts *Alerts() const { return m_alerts.get(); }
    // Where passwords are kept instead of brimo.conf (default: the desktop's
    // keyring through Qt Keychain). Tests hand one of their own before Start;
    // it must outlive the application.
    void SetSecretStore(SecretStore *store);
    StoredSecrets *Secrets() const { return m_secrets.get(); }
    // A clicked notification: the main window comes forward (out of the tray
    // too) with the alert's window active, or the question about an offer.
    void BringForward(const UserAlert &alert);

    // Connects to the server of an irc:// link (or finds the open session to
    // it) and joins its channel once registered.
    void OpenIrcLink(const QString &link);

    // ---- sessions ----
    Session *CreateSession(const std::string &host, unsigned port, const std::string &confName, bool tls = false);
    bool CloseSession(const std::string &key);
    Session *FindSession(const std::string &name) const;
    SessionTable &Sessions() { return *m_sessions; }
    ConversationLog &Log() { return *m_log; }
    // The index of the logs while logging is on; null while it is off.
    HistoryIndex *History() const { return m_history.get(); }

    // ---- find everywhere ----
    // The find-everywhere window, made when missing, brought forward.
    void OpenFindEverywhere();
    FindEverywhereWindow *FindEverywhere() const;
    // A line found in the logs: its window comes forward scrolled to the
    // line; when the window is not open or no longer shows the line, the
    // day's log opens read-only at the line.
    void OpenFoundLine(const LogFound &found);

    // ---- debug log ----
    void DebugLog(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // Creates the debug window once ("Brimo - Debug"); the main window keeps the focus.
    bool OpenDebugWindow() override;
    DebugLogWindow *DebugWindow() const { return m_debug; }
    void DebugWindowClosed();

    // ---- help window ----
    void OpenHelpWindow() override;
    HelpViewer *HelpWindow() const { return m_help; }

    // ---- scripts ----
    ScriptHost *Scripts() override;
    ScriptEngine &Engine() { return *m_scriptEngine; }
    // A script editor window: a new script (empty path) or the file opened.
    ScriptEditorWindow *OpenScriptEditor(const std::string &path);

    // ---- state ----
    AppSettings &Settings() { return m_settings; }
    const AppSettings &Settings() const { return m_settings; }
    MainWindow *MainFrame() const { return m_mainFrame; }
    // Fills the contact list of the session table from the address book.
    void LoadContactNicks();
    BalloonQueue &Balloons() { return m_balloons; }
    QuestionQueue &Questions() { return m_questions; }
    QuestionDialog *ShownQuestion() const { return m_questionDialog; }
    NotificationLoop *Notifier() const { return m_notifier.get(); }

    // Timer 0 of the main window (every 10 s): "/timer 0" to every session,
    // then the question queue is served.
    void TimerTick();
    // The question dialog's buttons.
    void AnswerQuestion(QuestionQueue::Answer answer);
    void QuestionDialogClosed();

    // ---- Shell ----
    ConversationView *CreateView(Conversation &conversation) override;
    void RefreshShell(int bits) override;
    void ShowBalloon(const std::string &title, const std::string &text, int textClass) override;
    // An offer (a DCC chat or file) while the main window is not active is
    // told by the desktop too.
    void AskQuestion(const Question &question) override;
    // Unless "Desktop Notifications" is off.
    void AlertUser(const UserAlert &alert) override;
    int MessageBox(const std::string &text, const std::string &title, int buttons) override;
    // A settings file that cannot be read or written, told in a warning
    // that does not wait for an answer.
    void ReportConfigProblem(const std::string &text) override;
    std::string OpenFileDialog(const std::string &folder, const std::string &filter) override;
    std::string SaveFileDialog(const std::string &folder, const std::string &fileName,
                               const std::string &filter) override;
    void PopupLine(const std::string &html) override;
    void UserPropertiesLine(const std::string &sessionKey, const std::string &nick, const std::string &line) override;
    void ChannelListBegin(const std::string &sessionKey) override;
    void ChannelListRow(const std::string &sessionKey, const std::string &channel, uint32_t users,
                        const std::string &topic) override;
    void ChannelListEnd(const std::string &sessionKey) override;
    bool OpenSearchWindow(const std::string &sessionKey) override;
    // Refused (false) while the window's list runs.
    bool CloseSearchWindow(const std::string &sessionKey) override;
    ChannelSearchWindow *SearchWindow(const std::string &sessionKey) const;
    void OpenLink(const std::string &address) override;
    bool IsMainWindowVisible() const override;
    bool IsMainWindowActive() const override;
    void Beep(int kind) override;
    bool HasPropertySheets() const override { return true; }
    bool HasDcc() const override { return true; }
    int DccCommand(Session &session, const std::string &window, const std::string &line) override;
    bool TakeDccOffer(Session &session, const std::string &body, const std::string &senderPrefix) override;
    bool SendDccChat(WindowConnection &connection, const std::string &text) override;
    FileProgress *OpenFileProgress(DirectConnect &connection, const std::string &path,
                                   const std::string &direction) override;
    DirectConnections &DirectConnects() { return *m_dcc; }
    void OpenProperties(Session &session, const std::string &name) override;
    bool HasBanList() const override { return true; }
    // The ban list dialog of a channel, modal to the main window.
    void OpenBanList(Session &session, const std::string &channel) override;
    // The notices window, once a line has been shown in it.
    NoticesWindow *Popup() const { return m_popup; }

    // The welcome dialog (over the main window, not modal; brought forward
    // when open): "Pripojiť" connects to the server chosen, "Zrušiť" leaves
    // a status window without server when no session is open. Start opens it
    // when brimo.conf holds no favourite server.
    void OpenWelcome();
    WelcomeDialog *ShownWelcome() const { return m_welcome; }

    // Connects to the favourite server of section "Servers" with this key.
    bool ConnectFavourite(const std::string &serverKey);
    // Settles every session's away state (Str::DefaultAwayMessage or none).
    void SetAwayEverywhere(bool away);

private:
    // Qt's own texts (standard buttons, file dialogs, context menus) in
    // Slovak; false when Qt's Slovak translation is not installed.
    bool LoadQtTranslation();
    void AutoConnect();
    // irc:// and ircs:// links among the arguments, as a desktop passes them.
    void OpenIrcLinks(const QStringList &arguments);
    // Tells the user without stopping the start-up.
    void WarnLater(const std::string &text);
    void ClosePropertySheets();
    bool LoadHelpLines();
    void ShowQuestion(const Question &question);
    // The signals and the desktop session end the program as Exit does.
    void FollowTheEndOfTheProgram();
    // The index follows the logs' settings: made for their folder, gone
    // while logging is off.
    void FollowLogIndex();
    void WelcomeAccepted();
    void WelcomeCancelled();
    // The session's search window, made (not brought forward) when missing;
    // null without main window or session.
    ChannelSearchWindow *SearchWindowOrNew(const std::string &sessionKey);
    static QString FileDialogFilter(const std::string &filter);
    void StartDesktopAlerts();
    // Reads the passwords the settings keep in the secret store, then calls
    // ready, and moves the ones still in the file there.
    void StartStoredSecrets(std::function<void()> ready);
    // In the status windows: a password the store did not give, passwords
    // moved, and, once a run, that the file keeps them.
    void TellSecrets(const StoredSecrets::Report &report);
    // Where no notification service runs: the tray balloon, unless the
    // line already has one (balloons of every line while hidden).
    void BalloonForAlert(const UserAlert &alert);

    AppSettings m_settings;
    std::unique_ptr<ScriptEngine> m_scriptEngine;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_sessions;
    // Told of what the log writes: it outlives the log.
    std::unique_ptr<HistoryIndex> m_history;
    // The sessions' recorder until Exit; it writes what it kept as it goes.
    std::unique_ptr<ConversationLog> m_log;
    QPointer<FindEverywhereWindow> m_findEverywhere;
    // After the sessions: connections look their windows up until they go.
    std::unique_ptr<DirectConnections> m_dcc;
    QPointer<MainWindow> m_mainFrame;
    QPointer<DebugLogWindow> m_debug;
    QPointer<HelpViewer> m_help;
    // The channel search window of each session, by session key.
    std::map<std::string, QPointer<ChannelSearchWindow>> m_searchWindows;
    QPointer<QuestionDialog> m_questionDialog;
    QPointer<NoticesWindow> m_popup;
    QPointer<WelcomeDialog> m_welcome;
    std::unique_ptr<NotificationLoop> m_notifier;
    std::unique_ptr<QDBusConnection> m_desktopBus;
    std::unique_ptr<DesktopAlerts> m_alerts;
    SecretStore *m_secretStore = nullptr;
    std::unique_ptr<SecretStore> m_ownSecretStore;
    std::unique_ptr<StoredSecrets> m_secrets;
    bool m_toldSecretsInFile = false;
    std::unique_ptr<QtTranslation> m_qtTranslation;
    std::unique_ptr<IdentServer> m_identServer; // opened and closed by the "Ident Server" setting
    std::unique_ptr<TerminationSignals> m_terminationSignals;
    std::vector<std::string> m_helpLines;
    BalloonQueue m_balloons;
    QuestionQueue m_questions;
    QSettings *m_barStateStore = nullptr;
    std::unique_ptr<QSettings> m_ownBarStateStore;
    bool m_exited = false;
};
