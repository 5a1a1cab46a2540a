#include "FloodServer.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>

#include "FloodLines.h"

FloodServer::FloodServer(int lines, int channels, int members, QObject *parent)
    : QObject(parent), m_lines(lines), m_channels(channels), m_members(members), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &FloodServer::Accept);
}

bool FloodServer::Listen()
{
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        return false;
    std::printf("port %u\n", static_cast<unsigned>(m_server->serverPort()));
    std::fflush(stdout);
    return true;
}

void FloodServer::Accept()
{
    m_client = m_server->nextPendingConnection();
    connect(m_client, &QTcpSocket::readyRead, this, &FloodServer::Read);
    connect(m_client, &QTcpSocket::disconnected, qApp, &QCoreApplication::quit);
}

void FloodServer::Read()
{
    m_partial += m_client->readAll().toStdString();
    size_t end;
    while ((end = m_partial.find('\n')) != std::string::npos) {
        std::string line = m_partial.substr(0, end);
        m_partial.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        HandleLine(line);
    }
}

void FloodServer::HandleLine(const std::string &line)
{
    if (line.rfind("NICK ", 0) == 0) {
        const std::string setup = FloodLines::Setup(line.substr(5), m_channels, m_members);
        m_client->write(setup.data(), static_cast<qint64>(setup.size()));
    } else if (line == std::string("PRIVMSG ") + FloodLines::kChannel + " :ready" && !m_flooding) {
        m_flooding = true;
        const std::string flood = FloodLines::Flood(m_lines) + "PING :done\r\n";
        m_timer.start();
        m_client->write(flood.data(), static_cast<qint64>(flood.size()));
    } else if (line == "PONG done" && m_flooding) {
        std::printf("elapsed %lld\n", static_cast<long long>(m_timer.nsecsElapsed() / 1000));
        std::fflush(stdout);
        m_client->disconnectFromHost();
        QCoreApplication::quit();
    }
}
