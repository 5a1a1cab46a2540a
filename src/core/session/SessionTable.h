#pragma once

#include <cstdarg>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "session/ContactList.h"
#include "session/MentionList.h"

class CommandRunner;
class LineRecorder;
class Session;
class Shell;

// The application's table of sessions keyed by session key, and the debug
// log. Owned by the application object; everything on the UI thread.
class SessionTable
{
public:
    using DebugSink = std::function<void(const std::string &text)>;

    // commands: the command language every session of the table runs its lines in.
    SessionTable(Shell *shell, CommandRunner &commands);
    // Closes every session in turn (QUIT, PART, no retry).
    ~SessionTable();
    SessionTable(const SessionTable &) = delete;
    SessionTable &operator=(const SessionTable &) = delete;

    Shell *GetShell() const { return m_shell; }
    CommandRunner &Commands() const { return m_commands; }
    // The application's contacts, shared by every session and window.
    ContactList &Contacts() { return m_contacts; }
    const ContactList &Contacts() const { return m_contacts; }
    // The lines of every session that named the user (Session::NoteMention).
    MentionList &Mentions() { return m_mentions; }
    const MentionList &Mentions() const { return m_mentions; }

    // Creates a session, logs "Creating kernel: ..." and starts it connecting
    // (it enters the table under its key). confName may be empty. Never blocks.
    Session *CreateSession(const std::string &host, unsigned port, const std::string &confName, bool tls = false);
    // A session with a server window and no server (Session::InitWithoutServer).
    Session *CreateSessionWithoutServer();
    // Shuts the session down and destroys it (after its receive handler
    // returns, when called from inside it). False when the key is unknown.
    bool CloseSession(const std::string &key);
    // The session whose key equals name, else the first whose key or display
    // name equals it without regard to case; null when none.
    Session *FindSession(const std::string &name) const;
    // A session to that server (the host without regard to case) over TLS
    // or not; null when none.
    Session *FindServerSession(const std::string &host, unsigned port, bool tls = false) const;
    // Closes every session, in key order; the table is empty afterwards.
    void CloseAll();

    // A line for the user about the application rather than one server (the
    // ident server): printed in the server window of every session, or of
    // the next session created while none is open.
    void ServerWindowNotice(const std::string &text);

    std::vector<Session *> Sessions() const;
    size_t Count() const { return m_sessions.size(); }
    // Whether a session other than except uses this key or display name.
    bool IsNameTaken(const std::string &name, const Session *except) const;

    // Used by Session::InitKernel: the next number of the process-wide session
    // counter (from 1, never reset), and entering the session under its key
    // (the table takes ownership).
    static int NextSessionNumber();
    void Enter(const std::string &key, Session *session);

    // Where the conversations of every session record their lines; null: nowhere.
    void SetRecorder(LineRecorder *recorder) { m_recorder = recorder; }
    LineRecorder *Recorder() const { return m_recorder; }

    // The debug log: a sink attached by the debug window; without one nothing
    // is formatted or written. DebugLog appends "\r\n".
    void SetDebugSink(DebugSink sink) { m_debugSink = std::move(sink); }
    bool IsDebugLogOpen() const { return static_cast<bool>(m_debugSink); }
    void DebugLog(const char *format, ...) __attribute__((format(printf, 2, 3)));
    void VDebugLog(const char *format, va_list args);

private:
    void PrintHeldNotices(Session &session);

    Shell *m_shell;
    CommandRunner &m_commands;
    ContactList m_contacts;
    MentionList m_mentions;
    std::map<std::string, std::unique_ptr<Session>> m_sessions;
    DebugSink m_debugSink;
    LineRecorder *m_recorder = nullptr;
    std::vector<std::string> m_heldNotices; // for the next session's server window
};
