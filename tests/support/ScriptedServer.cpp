#include "ScriptedServer.h"

#include "WaitFor.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

ScriptedServer::ScriptedServer(QObject *parent) : QObject(parent) {}

ScriptedServer::~ScriptedServer()
{
    AbortClient();
    StopListening();
}

bool ScriptedServer::Listen(uint16_t port)
{
    StopListening();
    m_server = new QTcpServer(this);
    if (!m_server->listen(QHostAddress::LocalHost, port)) {
        delete m_server;
        m_server = nullptr;
        return false;
    }
    m_port = m_server->serverPort();
    connect(m_server, &QTcpServer::newConnection, this, &ScriptedServer::AcceptClients);
    return true;
}

void ScriptedServer::StopListening()
{
    if (!m_server)
        return;
    m_server->close();
    m_server->deleteLater();
    m_server = nullptr;
}

void ScriptedServer::AcceptClients()
{
    while (m_server && m_server->hasPendingConnections()) {
        QTcpSocket *client = m_server->nextPendingConnection();
        // A test talks to one client at a time: a reconnecting program
        // replaces its earlier connection.
        if (m_client && m_client != client)
            AbortClient();
        m_client = client;
        m_partial.clear();
        ++m_connectionCount;
        connect(client, &QTcpSocket::readyRead, this, [this, client] { ReadClient(client); });
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        ReadClient(client);
    }
}

void ScriptedServer::ReadClient(QTcpSocket *client)
{
    if (client != m_client)
        return;
    const QByteArray bytes = client->readAll();
    m_received.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    m_partial.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    size_t end;
    while ((end = m_partial.find('\n')) != std::string::npos) {
        std::string line = m_partial.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(line);
        m_partial.erase(0, end + 1);
    }
}

bool ScriptedServer::HasClient() const
{
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

bool ScriptedServer::WaitForClient(int count, int timeoutMs)
{
    return WaitFor([&] { return m_connectionCount >= count; }, timeoutMs);
}

bool ScriptedServer::WaitForDisconnect(int timeoutMs)
{
    return WaitFor([&] { return !HasClient(); }, timeoutMs);
}

bool ScriptedServer::SendLine(const std::string &line)
{
    return SendRaw(line + "\r\n");
}

bool ScriptedServer::SendRaw(const std::string &bytes)
{
    if (!HasClient())
        return false;
    return m_client->write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

bool ScriptedServer::Flush()
{
    return HasClient() && m_client->flush();
}

void ScriptedServer::CloseClient()
{
    if (m_client)
        m_client->disconnectFromHost();
}

void ScriptedServer::AbortClient()
{
    if (!m_client)
        return;
    QTcpSocket *client = m_client;
    m_client.clear();
    client->disconnect(this);
    client->abort();
    client->deleteLater();
}

void ScriptedServer::ClearLines()
{
    m_lines.clear();
    m_received.clear();
    m_scanFrom = 0;
}

bool ScriptedServer::WaitForLine(const std::function<bool(const std::string &)> &match, int timeoutMs,
                                 std::string *found)
{
    return WaitForNewLine(m_lines, m_scanFrom, match, timeoutMs, found);
}

bool ScriptedServer::WaitForLineStartingWith(const std::string &prefix, int timeoutMs, std::string *found)
{
    return WaitForLine([&](const std::string &line) { return line.rfind(prefix, 0) == 0; }, timeoutMs, found);
}
