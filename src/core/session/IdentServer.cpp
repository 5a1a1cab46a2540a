#include "session/IdentServer.h"

#include <QCoreApplication>

#include "session/IdentConnection.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"

IdentServer::IdentServer(uint16_t port, std::string address, LogSink log)
    : m_port(port), m_address(std::move(address)), m_log(std::move(log))
{}

IdentServer::~IdentServer()
{
    for (IdentConnection *connection : m_connections)
        delete connection;
}

void IdentServer::ApplyIdentSetting(bool on)
{
    if (!on) {
        Close();
        m_listening = false;
        return;
    }
    if (m_listening)
        return;
    m_listening = true;
    if (Listen(m_port, m_address, 5))
        return;
    const unsigned port = m_port;
    if (m_log)
        m_log(StrPrintf("Ident server: cannot listen on port %u (error %d)", port, LastError()));
    if (m_notice)
        m_notice(Strings::Format(Str::IdentServerDown, static_cast<int>(port), ErrorText(LastError()).c_str()));
}

uint16_t IdentServer::ListeningPort() const
{
    return IsListening() ? LocalPort() : 0;
}

std::string IdentServer::ReplyLine()
{
#ifdef _WIN32
    const char *system = "WIN32";
#else
    const char *system = "UNIX";
#endif
    return StrPrintf(" : USERID : %s : %s-%lld\r\n", system, "Brimo",
                     static_cast<long long>(QCoreApplication::applicationPid()));
}

void IdentServer::Forget(IdentConnection *connection)
{
    m_connections.erase(connection);
}

void IdentServer::OnAccept(int error)
{
    (void)error;
    while (QTcpSocket *accepted = Accept()) {
        auto *connection = new IdentConnection(accepted, *this);
        m_connections.insert(connection);
        connection->Reply(ReplyLine());
    }
}
