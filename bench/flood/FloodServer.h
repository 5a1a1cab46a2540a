#pragma once

#include <QElapsedTimer>

#include <string>

#include "OneClientServer.h"

// The scripted server of the flood benchmark, run in a child process: it
// listens on 127.0.0.1, prints its port, registers the one client that
// comes, joins it to the channel, waits for the client's "ready" line, then
// sends the flood and "PING :done" and prints the milliseconds from the
// first flood line to the PONG. With more channels (the idle measurement)
// the client is joined to each of them, with members members apiece.
class FloodServer : public OneClientServer
{
public:
    FloodServer(int lines, int channels, int members, QObject *parent = nullptr);

private:
    void HandleLine(const std::string &line) override;

    int m_lines;
    int m_channels;
    int m_members;
    QElapsedTimer m_timer;
    bool m_flooding = false;
};
