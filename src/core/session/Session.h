#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <cstdarg>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "conversation/Conversation.h"
#include "conversation/ModeRules.h"
#include "platform/AsyncSocket.h"
#include "session/Capabilities.h"
#include "session/ChannelListFeed.h"
#include "session/CtcpRateLimit.h"
#include "session/IgnoreEntry.h"
#include "session/JoinBatch.h"
#include "session/LineAssembler.h"
#include "session/MessageTags.h"
#include "session/PendingRequests.h"
#include "session/ReconnectBackoff.h"
#include "session/SendQueue.h"
#include "text/TextClass.h"

class SessionSocket;
class SessionTable;
class Shell;

// One connection to one IRC server (the "kernel" of the log lines): its
// connection and reconnection, the line transport, registration and nick
// handling, and the registry of its conversations with the print routing.
// Everything runs on the UI thread; nothing here blocks. Each section below
// names the .cpp that holds it.
class Session final : public ConversationOwner
{
public:
    // Seconds: a message sent longer ago (server-time) alerts nobody.
    static constexpr int64_t kAlertAgeLimit = 60;

    explicit Session(SessionTable &table);
    // Shuts the sending side down and closes the socket. The session must not
    // be inside OnReceive (SessionTable::CloseSession takes care of that).
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // ---- lifecycle and connection: Session.cpp ----
    // Names the session, enters it into the table, opens its server window
    // and starts the first connection attempt. confName may be empty.
    // tls: the connection runs over TLS (a port written "+6697").
    bool InitKernel(const std::string &host, unsigned port, const std::string &confName, bool tls = false);
    // Names the session and opens its server window without connecting: the
    // status window of a program that has no server yet, where the user
    // types "/server". It says so in a line and never connects by itself.
    bool InitWithoutServer();
    // A session made by InitWithoutServer.
    bool HasNoServer() const { return m_host.empty(); }
    // Fills ConfName (unless given) from section "Servers" and HumanName.
    void InitKernelProps(const std::string &host, unsigned port);
    // Begins one connection attempt (drops the old socket and waiting lines).
    void StartConnect();
    // Back to the unconnected state; prints "* Spojenie prerušené" everywhere.
    void ConnectionLost();
    // Reconnects a lost connection (run for "/timer") when the back-off
    // allows it and the server has not refused us for good; returns 1.
    int Tick();
    // Lifts the bans of the channels whose duration is over at now (seconds
    // since 1970): "MODE channel -b mask" for each, and the ban leaves the
    // channel's list. Nothing while not connected.
    void LiftExpiredBans(int64_t now);
    // "/reconnect": a new attempt at once, whatever refused or delayed it.
    void ReconnectNow();
    // The server refused us for a reason that another attempt cannot cure
    // (banned, wrong password, a required login failed): no new attempt
    // starts by itself.
    void RefuseForGood();
    const ReconnectBackoff &Backoff() const { return m_backoff; }
    // The monotonic clock of the back-off in milliseconds (tests set their own).
    void SetClock(std::function<int64_t()> clock) { m_clock = std::move(clock); }
    // Closing: QUIT with "Msgs Quit", no more retries, windows closed (PART).
    void Shutdown();

    // ---- socket notifications (error: the operating system's code) ----
    // OnConnect, OnClose: Session.cpp; OnReceive, OnSend: SessionTransport.cpp
    void OnConnect(int error);
    void OnReceive(int error);
    void OnSend(int error);
    void OnClose(int error);

    // ---- TLS: SessionTls.cpp ----
    // A server certificate that could not be verified: accepted when its
    // fingerprint is the one stored for this host and port ("Certificates")
    // or was accepted once in this session; otherwise the user is asked
    // (Shell::AskQuestion, Question::Certificate), the attempt fails and no
    // new attempt starts until the answer comes.
    bool OnCertificateProblem(const AsyncSocket::CertificateProblem &problem);
    enum class CertificateAnswer { Refuse, AcceptOnce, AcceptAlways };
    // The user's answer about the certificate with that fingerprint:
    // refused, the session stays unconnected; accepted, it connects again
    // at once, and "always" stores the fingerprint for this host and port.
    void AnswerCertificate(CertificateAnswer answer, const std::string &fingerprint);
    bool IsAwaitingCertificateAnswer() const { return !m_askedFingerprint.empty(); }
    // "host:port", the key of the stored fingerprint and the server the user
    // is asked about.
    std::string CertificateServer() const;
    bool IsTls() const { return m_tls; }

    // ---- line transport: SessionTransport.cpp (DeleteWhenIdle: Session.cpp) ----
    // Sends one line with exactly one CR LF, or queues it while not connected
    // (returns 0 then). A line with CR, LF or NUL inside is cut at the first
    // such byte. Connected, the line goes through the paced send queue
    // (SendQueue: a burst, then one line every "Send Interval"), where the
    // lines the program sends by itself (see AutomaticLines) wait behind the
    // user's; PONG and QUIT never wait. Bytes the socket cannot take at once
    // are kept and written when it is ready. Returns the bytes given to the
    // socket now (0 for a line that waits its turn).
    int SendLine(const std::string &line);
    int FlushWaitingLines();
    const std::vector<std::string> &WaitingLines() const { return m_waitingLines; }
    // Lines on the connection that wait for their turn in the pace.
    size_t PacedLines() const { return m_sendQueue.Size(); }
    // While one of these lives, the lines the session sends are the
    // program's own (joins, WHO polls, answers, lifted bans) and wait behind
    // what the user typed. Every server line is handled inside one.
    class AutomaticLines
    {
    public:
        explicit AutomaticLines(Session &session) : m_session(session) { ++m_session.m_automaticDepth; }
        ~AutomaticLines() { --m_session.m_automaticDepth; }
        AutomaticLines(const AutomaticLines &) = delete;
        AutomaticLines &operator=(const AutomaticLines &) = delete;

    private:
        Session &m_session;
    };
    // While one of these lives, the lines are the user's again, inside the
    // handling of a server line: the rest of a command the user gave,
    // carried out when the server's answer came ("/who nick -bankick").
    class UserLines
    {
    public:
        explicit UserLines(Session &session) : m_session(session), m_saved(std::exchange(session.m_automaticDepth, 0))
        {}
        ~UserLines() { m_session.m_automaticDepth = m_saved; }
        UserLines(const UserLines &) = delete;
        UserLines &operator=(const UserLines &) = delete;

    private:
        Session &m_session;
        int m_saved;
    };
    // While one of these lives, the channels SendJoin is given are collected;
    // when the outermost ends they go out as few JOIN lines (JoinBatch).
    class JoinsTogether
    {
    public:
        explicit JoinsTogether(Session &session) : m_session(session) { ++m_session.m_joinBatchDepth; }
        ~JoinsTogether()
        {
            if (--m_session.m_joinBatchDepth == 0)
                m_session.SendCollectedJoins();
        }
        JoinsTogether(const JoinsTogether &) = delete;
        JoinsTogether &operator=(const JoinsTogether &) = delete;

    private:
        Session &m_session;
    };
    // JOIN of channels (a comma list) with their keys (empty: none): at
    // once, or collected while a JoinsTogether lives.
    void SendJoin(const std::string &channels, const std::string &keys);
    // Whether OnReceive is running.
    bool IsReceiving() const { return m_receiveDepth > 0; }
    int ReceiveDepth() const { return m_receiveDepth; }
    // Deletes the session as soon as its receive handler, command or
    // dispatch that is running has returned (at once when none is).
    void DeleteWhenIdle();

    // ---- server lines and commands ----
    // DispatchServerLine: Dispatch.cpp, its handlers as DispatchHandlers.h maps
    // them; Command: SessionCommand.cpp, the handlers in commands/.
    // Interprets one received line (UTF-8) in the fixed order of tests of
    // Dispatch.cpp. Returns 1 when the line was handled, else the handler's
    // result (0: not recognised; numerics nobody handles are shown raw).
    int DispatchServerLine(const std::string &line);
    // The session's command dispatcher (window name, window kind, line): 1
    // done, 0 unknown or misused.
    int Command(const std::string &window, int kind, const std::string &line) override;

    // ---- registration and nick: Registration.cpp ----
    int Register();
    int NickCommand(const std::string &line);
    void Welcome(const std::string &line);
    // Joins the channel (with its key, when given) once the server has
    // welcomed us, or at once when it has already.
    void JoinWhenWelcomed(const std::string &channel, const std::string &key = std::string());
    void NickChanged(const std::string &line);
    int NickRejected(int code, const std::string &line);
    void AutoChangeNick(const std::string &rejected);
    void UpdateNick(const std::string &newNick);
    // Our address as the server shows it to others: a prefix
    // "nick!user@host" of our own nick teaches user and host, and a host
    // alone (numeric 396) the host. Forgotten when a new attempt starts.
    void LearnOwnAddress(const std::string &prefix);
    void LearnOwnHost(const std::string &host);
    // The length of the "nick!user@host" the server puts before our lines
    // when it relays them: what was learned, else "~" and the user name we
    // registered, and a host of 63 bytes.
    size_t OwnPrefixLength() const;

    // ---- IRCv3 capabilities: SessionCapabilities.cpp ----
    // What the server offered and acknowledged on this connection.
    Capabilities &Caps() { return m_caps; }
    const Capabilities &Caps() const { return m_caps; }
    // Asks for the wanted capabilities on offer (an offer is complete, or
    // new ones came); ends the negotiation when there is nothing to ask.
    void RequestCapabilities();
    // The answer to a request came: during registration, "CAP END".
    void CapabilitiesAcknowledged();
    // Notes the time of the welcome (the server's, else ours): lines dated
    // before it are played back. Every window begins a new attachment.
    void NoteWelcomeTime();
    // Ends the negotiation during registration ("CAP END") and says what was
    // agreed in the server window.
    void EndCapabilities();
    // The tags of the line being dispatched (empty between lines), and the
    // server's time of it when server-time is on (else 0: now).
    const MessageTags &LineTags() const { return m_lineTags; }
    int64_t LineTime() const override;
    // Whether the line being dispatched was played back by a bouncer (said
    // while nobody was attached): it belongs to a playback batch
    // ("znc.in/playback", "chathistory"), or its server time is older than
    // the welcome of this connection.
    bool IsPlayedBack() const override;
    // The server's id of the line being dispatched ("msgid"), empty without one.
    std::string LineId() const override { return m_lineTags.Value("msgid"); }
    // BATCH from the server: a batch opens ("+ref type") or ends ("-ref").
    // At most kMostBatches stay open; a further one is not followed.
    void OpenBatch(const std::string &reference, const std::string &type);
    void CloseBatch(const std::string &reference);
    static constexpr size_t kMostBatches = 64;
    // The services account of a nick as the server told it (extended-join,
    // account-notify); empty when unknown or logged out ("*").
    void SetAccount(const std::string &nick, const std::string &account);
    std::string AccountOf(const std::string &nick) const;

    // ---- what the server supports: SessionSupport.cpp ----
    // How this server counts mode parameters and which member statuses it
    // has, as its 005 replies announced (ModeRules' defaults until then, and
    // again on every new connection). Every window's nick list follows it.
    const ModeRules &Modes() const { return m_modes; }
    // Takes PREFIX and CHANMODES (or their removal, "-PREFIX") from a 005 line.
    void LearnSupport(const std::string &line);

    // ---- SASL: SessionSasl.cpp ----
    // The mechanism the server entry asks for (section "SASL": "PLAIN" or
    // "EXTERNAL", account, "1" when required); empty: no SASL.
    std::string SaslMechanism() const;
    bool IsSaslRequired() const;
    // Starts the login once the capabilities are agreed; false when the
    // entry asks for none.
    bool StartSasl();
    // AUTHENTICATE from the server, and the replies 900 to 908.
    int Authenticate(const std::string &line);
    int SaslReply(int numeric, const std::string &line);
    // At the welcome: a login that was required and did not succeed ends
    // the connection for good.
    void CheckSaslRequirement();
    // Whether the server refused us for good (a required login failed); no
    // new attempt starts by itself then.
    bool IsRefusedForGood() const { return m_fatalRefusal; }

    // ---- windows and printing: SessionWindows.cpp (Log: Session.cpp) ----
    // The window of a line we sent to target, as the server relays it
    // (echo-message, or a bouncer's line from another of our clients): the
    // channel's window, or the private window of the nick, opened without
    // asking; null when none can be made.
    Conversation *OwnLineWindow(const std::string &target);
    // Case-insensitive; a conversation without view (native window gone) is skipped.
    Conversation *FindWindow(const std::string &name) const;
    // Find-or-create (name lower-cased); asks the Shell for a view.
    Conversation *OpenWindow(const std::string &name, Conversation::WindowKind kind, Conversation::WindowType type);
    // Parts a channel ("/servermsg PART %s close"), destroys the conversation.
    bool CloseWindow(const std::string &name);
    // Files a window under a new name (a private partner changed nick).
    bool RenameWindow(const std::string &oldName, const std::string &newName);
    Conversation *ServerWindow() const;
    std::vector<Conversation *> Windows() const;
    // target empty: the server window; a target without window lands there too.
    // Returns whether a window showed it (Conversation::Print).
    bool PrintTo(const std::string &target, int textClass, const std::string &text, bool toAll = false,
                 int64_t time = 0);
    bool PrintTo(const std::string &target, TextClass textClass, const std::string &text, bool toAll = false,
                 int64_t time = 0)
    {
        return PrintTo(target, static_cast<int>(textClass), text, toAll, time);
    }
    void PrintStatus(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // After a line of sender was printed to target (as PrintTo places it):
    // when it names our nick or a highlight word, and we did not write it,
    // it goes to the table's mentions, unread unless its window is the one
    // the user is reading (the active window of the active main window).
    // True when it named us.
    bool NoteMention(const std::string &target, const std::string &sender, const std::string &text);
    // After a message or action of sender was printed to target: noted as a
    // mention (NoteMention), and, when it was sent to us (toMe) or named us,
    // told to the shell (Shell::AlertUser) unless the user is reading its
    // window, we wrote it, a bouncer played it back, or it is older than
    // kAlertAgeLimit (a playback not known as one).
    void NoteMessage(const std::string &target, const std::string &sender, const std::string &text, bool toMe);
    // "[key] message" to the debug log, only while it is open.
    void Log(const char *format, ...) __attribute__((format(printf, 2, 3)));

    // ---- accessors (GetShell: Session.cpp) ----
    const std::string &Key() const override { return m_key; }
    const std::string &Host() const { return m_host; }
    unsigned Port() const { return m_port; }
    const std::string &ConfName() const { return m_confName; }
    const std::string &HumanName() const { return m_humanName; }
    const std::string &Nick() const { return m_nick; }
    const std::string &RegisteredNick() const { return m_registeredNick; }
    bool IsConnected() const { return m_connected; }
    bool IsConnecting() const { return m_connecting; }
    // The local address of the connection to the server (dotted IPv4 or
    // IPv6 text), empty without a connection: what a peer can reach us at.
    std::string LocalAddress() const;
    // The address of the server (or bouncer) this session is connected to; empty when not connected.
    std::string ServerAddress() const;
    // The address the network sees us at, for DCC offers: our host as the
    // server shows it (welcome, 396, a USERHOST reply) when that is an
    // address, else what its name resolves to (looked up in the background);
    // empty while unknown.
    const std::string &NetworkAddress() const { return m_networkAddress; }
    SessionTable &Table() const { return m_table; }
    Shell *GetShell() const;
    LineRecorder *Recorder() const override;
    // The session a conversation belongs to; null for one of no session.
    static Session *Of(const Conversation &conversation);

    // ---- state of the command and dispatch code: SessionState.cpp ----
    // The user's QUIT went out on this connection: the server's closing
    // ERROR and the close that follows are expected, not a refusal.
    void NoteQuitSent() { m_quitSent = true; }
    bool HasQuit() const { return m_quitSent; }
    // The last command line that reached a handler and its result.
    void RecordCommand(const std::string &line, int result);
    const std::string &LastCommand() const { return m_lastCommand; }
    int LastResult() const { return m_lastResult; }
    // Where the replies to the last "/whois" go: to the pop-up and, with
    // "-all", to every window too.
    void RouteWhoisReplies(bool toPopup, bool toAll);
    bool WhoisToPopup() const { return m_whoisPopup; }
    bool WhoisToAll() const { return m_whoisAll; }
    // Whether the server says we are away (305/306), and the message we last
    // set with the away switch.
    void SetAway(bool away) { m_away = away; }
    bool IsAway() const { return m_away; }
    void SetAwayMessage(const std::string &message) { m_awayMessage = message; }
    const std::string &AwayMessage() const { return m_awayMessage; }
    // What "/who nick -ban ..." and the like wait to do when the WHO reply
    // comes (entries made by WhoActions::MakeEntry, in order).
    void QueueWhoAction(const std::string &entry);
    const std::vector<std::string> &QueuedWhoActions() const { return m_whoActions; }
    // Removes the entries isDue accepts and returns them in queue order.
    std::vector<std::string> TakeWhoActions(const std::function<bool(const std::string &)> &isDue);
    // The ignore list (see IgnoreList).
    std::vector<IgnoreEntry> &Ignores() { return m_ignoreList; }
    const std::vector<IgnoreEntry> &Ignores() const { return m_ignoreList; }
    // Requests waiting for the user's answer (DCC offers, private messages).
    PendingRequests &Requests() { return m_pendingRequests; }
    const PendingRequests &Requests() const { return m_pendingRequests; }
    // Nicks whose user-property sheets are open; they collect the WHOIS and
    // CTCP replies about them. A nick is listed once per open sheet.
    void AddPropertySheet(const std::string &nick) { m_propertyDialogs.push_back(nick); }
    void RemovePropertySheet(const std::string &nick);
    const std::vector<std::string> &PropertySheetNicks() const { return m_propertyDialogs; }
    // Whether a CTCP request may be answered now (false while flooded).
    bool AllowCtcpAnswer() { return m_ctcpLimit.AllowNow(); }
    // The clock that paces CTCP answers (tests and the fuzzer set their own).
    void SetCtcpClock(CtcpRateLimit::Clock clock) { m_ctcpLimit.SetClock(std::move(clock)); }
    // The LIST replies on their way to the channel search window.
    ChannelListFeed &ChannelList() { return m_channelList; }

private:
    // The window PrintTo puts a line for target in: its own, else the status window.
    Conversation *PrintedWindow(const std::string &target) const;

    // Defers the deletion of the session until the outermost running
    // handler (receive, command, dispatch) has returned.
    class BusyGuard
    {
    public:
        explicit BusyGuard(Session &session) : m_session(session) { ++m_session.m_busyDepth; }
        ~BusyGuard()
        {
            if (--m_session.m_busyDepth == 0 && m_session.m_deleteWhenIdle)
                delete &m_session;
        }
        BusyGuard(const BusyGuard &) = delete;
        BusyGuard &operator=(const BusyGuard &) = delete;

    private:
        Session &m_session;
    };
    struct DispatchEntry;
    static const DispatchEntry *FindDispatch(const std::string &word);

    void UseModes(const ModeRules &modes);
    void SetSocketOptions();
    // Enters the table under a new key (made of host and port) and opens the
    // server window, titled with the human name.
    Conversation *EnterWithServerWindow(const std::string &host, unsigned port);
    // A failed attempt in plain words: which server, why, and how to try
    // again.
    void ReportConnectFailure(int error);
    bool IsEchoNotShown(const std::string &line) const;
    void SaslFailed();
    bool ConnectSocket();
    void PrintEncryption();
    // Whether a lost connection may be tried again at the next tick.
    bool MayReconnect() const;
    void CloseSocket();
    void SendCollectedJoins();
    // Takes the pace from the settings and forgets the lines of a former connection.
    void ResetSendQueue();
    // Queues a line (bytes with CR LF) and writes what is due; returns the bytes written now.
    int QueueLine(std::string bytes, SendQueue::Priority priority);
    // Writes the queued lines that are due and sets the timer for the next.
    int WriteDueLines();
    int WriteToSocket(const std::string &bytes);
    void WritePending();
    // Dispatches the complete lines of a received chunk; false once the
    // session or its connection is gone, or is to close, so reading stops.
    bool DispatchChunk(const char *chunk, size_t count, unsigned connection);
    bool IsSameConnection(unsigned connection) const;
    void DispatchReceivedLine(const std::string &raw);
    void PumpUserInterface();
    int SendRegistration(const std::string &nick, const std::string &email, const std::string &fullName);

    SessionTable &m_table;
    std::string m_host;
    unsigned m_port = 0;
    bool m_tls = false;
    std::string m_acceptedFingerprint; // accepted once, for the life of the session
    std::string m_askedFingerprint;    // the certificate the user is being asked about
    bool m_certificateRefused = false;
    std::string m_key;
    std::string m_nick;
    std::map<std::string, std::unique_ptr<Conversation>> m_windows;
    std::vector<std::string> m_waitingLines;
    std::string m_unsent; // bytes a partial send left for the next write-ready notification
    SendQueue m_sendQueue;
    QTimer m_sendTimer; // single shot: the next queued line is due
    int m_automaticDepth = 0;
    JoinBatch m_joinBatch;
    int m_joinBatchDepth = 0;
    LineAssembler m_assembler;
    Capabilities m_caps;
    MessageTags m_lineTags;
    ModeRules m_modes;
    enum class SaslState { None, AwaitingGo, Answered, Aborting, Succeeded, Finished };
    SaslState m_saslState = SaslState::None;
    unsigned m_capsAskedOn = 0; // the connection number "CAP LS" went out on
    bool m_fatalRefusal = false;
    ReconnectBackoff m_backoff;
    std::function<int64_t()> m_clock;
    int64_t ClockMs() const;
    std::map<std::string, std::string> m_accounts; // case-folded nick -> account
    std::map<std::string, std::string> m_batches;  // open batches: reference -> type
    int64_t m_welcomeTime = 0;                     // the server's time of this connection's welcome
    SessionSocket *m_socket = nullptr;
    bool m_connected = false;
    std::string m_confName;
    std::string m_humanName;
    bool m_autoReconnect = true;
    bool m_connecting = false;
    std::string m_registeredNick;
    bool m_welcomed = false;                   // the server accepted our registration
    std::vector<std::string> m_joinsOnWelcome; // "/join" lines waiting for it
    std::string m_registeredUser;              // the user name sent with USER
    std::string m_ownUser;                     // learned from the server; empty: unknown
    std::string m_ownHost;                     // learned from the server; empty: unknown
    std::string m_networkAddress;              // m_ownHost as an address; empty: unknown
    std::unique_ptr<QObject> m_hostLookup;     // the context of the look-up of m_ownHost
    int m_receiveDepth = 0;
    // When the user interface was last pumped inside a receive burst.
    QElapsedTimer m_lastPump;
    static constexpr qint64 kPumpIntervalMs = 16;
    int m_busyDepth = 0; // Command, DispatchServerLine or OnReceive is running
    bool m_deleteWhenIdle = false;
    bool m_closeAfterReceive = false; // the connection ended inside OnReceive
    bool m_shutdown = false;
    bool m_quitSent = false;         // the user's QUIT went out on this connection
    bool m_lossReported = false;     // "* Spojenie prerušené" was printed since the last connection
    unsigned m_connectionNumber = 0; // changes with every attempt and every loss
    std::string m_lastCommand;
    int m_lastResult = 0;
    bool m_whoisPopup = false;
    bool m_whoisAll = false;
    bool m_away = false;
    std::string m_awayMessage;
    std::vector<std::string> m_whoActions;
    std::vector<IgnoreEntry> m_ignoreList;
    PendingRequests m_pendingRequests;
    std::vector<std::string> m_propertyDialogs;
    CtcpRateLimit m_ctcpLimit;
    ChannelListFeed m_channelList{*this};
};
