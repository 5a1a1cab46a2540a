#include "session/SessionTable.h"

#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"

SessionTable::SessionTable(Shell *shell, CommandRunner &commands) : m_shell(shell), m_commands(commands) {}

SessionTable::~SessionTable()
{
    CloseAll();
}

Session *SessionTable::CreateSession(const std::string &host, unsigned port, const std::string &confName, bool tls)
{
    DebugLog("Creating kernel: %s:%u, ConfName: %s", host.c_str(), port, confName.c_str());
    auto *session = new Session(*this);
    // InitKernel enters the session into the table even when it cannot
    // connect, so it keeps its server window as the user expects.
    session->InitKernel(host, port, confName, tls);
    PrintHeldNotices(*session);
    return session;
}

Session *SessionTable::CreateSessionWithoutServer()
{
    DebugLog("Creating kernel without server");
    auto *session = new Session(*this);
    session->InitWithoutServer();
    PrintHeldNotices(*session);
    return session;
}

void SessionTable::PrintHeldNotices(Session &session)
{
    std::vector<std::string> held;
    held.swap(m_heldNotices);
    for (const std::string &text : held)
        session.PrintTo("", TextClass::Error, text);
}

void SessionTable::ServerWindowNotice(const std::string &text)
{
    if (m_sessions.empty()) {
        m_heldNotices.push_back(text);
        return;
    }
    for (const auto &entry : m_sessions)
        entry.second->PrintTo("", TextClass::Error, text);
}

bool SessionTable::CloseSession(const std::string &key)
{
    auto it = m_sessions.find(key);
    if (it == m_sessions.end())
        return false;
    Session *session = it->second.get();
    session->Shutdown();
    // Shutdown may have run commands that changed the table; look again.
    it = m_sessions.find(key);
    if (it == m_sessions.end() || it->second.get() != session)
        return true;
    it->second.release();
    m_sessions.erase(it);
    session->Log("Kernel closed ...");
    session->DeleteWhenIdle();
    return true;
}

Session *SessionTable::FindSession(const std::string &name) const
{
    auto exact = m_sessions.find(name);
    if (exact != m_sessions.end())
        return exact->second.get();
    for (const auto &[key, session] : m_sessions) {
        if (EqualIgnoringCase(key, name) || EqualIgnoringCase(session->HumanName(), name))
            return session.get();
    }
    return nullptr;
}

Session *SessionTable::FindServerSession(const std::string &host, unsigned port, bool tls) const
{
    for (const auto &[key, session] : m_sessions) {
        if (session->Port() == port && session->IsTls() == tls && EqualIgnoringAsciiCase(session->Host(), host))
            return session.get();
    }
    return nullptr;
}

void SessionTable::CloseAll()
{
    while (!m_sessions.empty()) {
        const std::string key = m_sessions.begin()->first;
        CloseSession(key);
    }
}

std::vector<Session *> SessionTable::Sessions() const
{
    std::vector<Session *> sessions;
    sessions.reserve(m_sessions.size());
    for (const auto &entry : m_sessions)
        sessions.push_back(entry.second.get());
    return sessions;
}

bool SessionTable::IsNameTaken(const std::string &name, const Session *except) const
{
    for (const auto &[key, session] : m_sessions) {
        if (session.get() == except)
            continue;
        if (session->HumanName() == name || key == name)
            return true;
    }
    return false;
}

int SessionTable::NextSessionNumber()
{
    static int counter = 0;
    return ++counter;
}

void SessionTable::Enter(const std::string &key, Session *session)
{
    m_sessions[key].reset(session);
}

void SessionTable::DebugLog(const char *format, ...)
{
    if (!m_debugSink)
        return;
    va_list args;
    va_start(args, format);
    VDebugLog(format, args);
    va_end(args);
}

void SessionTable::VDebugLog(const char *format, va_list args)
{
    if (!m_debugSink)
        return;
    m_debugSink(VStrPrintf(format, args) + "\r\n");
}
