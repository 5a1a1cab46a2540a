#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <string>

class QTcpServer;
class QTcpSocket;

// The scripted server of the flood benchmark, run in a child process: it
// listens on 127.0.0.1, prints its port, registers the one client that
// comes, joins it to the channel, waits for the client's "ready" line, then
// sends the flood and "PING :done" and prints the milliseconds from the
// first flood line to the PONG. With more channels (the idle measurement)
// the client is joined to each of them, with members members apiece.
class FloodServer : public QObject
{
public:
    FloodServer(int lines, int channels, int members, QObject *parent = nullptr);
    bool Listen();

private:
    void Accept();
    void Read();
    void HandleLine(const std::string &line);

    int m_lines;
    int m_channels;
    int m_members;
    QTcpServer *m_server;
    QTcpSocket *m_client = nullptr;
    std::string m_partial;
    QElapsedTimer m_timer;
    bool m_flooding = false;
};
