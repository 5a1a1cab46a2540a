#include "OneClientServer.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>
#include <vector>

OneClientServer::OneClientServer(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &OneClientServer::Accept);
}

bool OneClientServer::Listen()
{
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        return false;
    std::printf("port %u\n", static_cast<unsigned>(m_server->serverPort()));
    std::fflush(stdout);
    return true;
}

void OneClientServer::Send(const std::string &bytes)
{
    m_client->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void OneClientServer::CloseClient()
{
    m_client->disconnectFromHost();
}

void OneClientServer::Accept()
{
    m_client = m_server->nextPendingConnection();
    connect(m_client, &QTcpSocket::readyRead, this, &OneClientServer::Read);
    connect(m_client, &QTcpSocket::disconnected, qApp, &QCoreApplication::quit);
}

void OneClientServer::Read()
{
    const QByteArray bytes = m_client->readAll();
    std::vector<std::string> lines;
    m_lines.Feed(bytes.constData(), static_cast<size_t>(bytes.size()), lines);
    for (const std::string &line : lines)
        HandleLine(line);
}
