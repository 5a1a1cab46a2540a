#pragma once

#include <QObject>

#include <string>

#include "session/LineAssembler.h"

class QTcpServer;
class QTcpSocket;

// The scripted server of a benchmark, run in a child process: it listens on
// 127.0.0.1, prints "port N" for the parent, takes the one client that comes
// and hands each line it sends (without CR LF) to HandleLine. The process
// ends when the client goes.
class OneClientServer : public QObject
{
public:
    explicit OneClientServer(QObject *parent = nullptr);
    bool Listen();

protected:
    virtual void HandleLine(const std::string &line) = 0;
    void Send(const std::string &bytes);
    void CloseClient();

private:
    void Accept();
    void Read();

    QTcpServer *m_server;
    QTcpSocket *m_client = nullptr;
    LineAssembler m_lines;
};
