#pragma once

#include <QObject>

#include <string>

class QTcpServer;
class QTcpSocket;

// The scripted server of the search benchmark, run in a child process: it
// listens on 127.0.0.1, prints its port, welcomes the one client that comes
// and answers its LIST with the given number of channels (varied user
// counts and topics) at once.
class ListServer : public QObject
{
public:
    explicit ListServer(int channels, QObject *parent = nullptr);
    bool Listen();

    // The whole reply to LIST for this many channels.
    static std::string ListReply(int channels);

private:
    void Accept();
    void Read();
    void HandleLine(const std::string &line);

    int m_channels;
    QTcpServer *m_server;
    QTcpSocket *m_client = nullptr;
    std::string m_partial;
};
