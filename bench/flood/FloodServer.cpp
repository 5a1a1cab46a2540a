#include "FloodServer.h"

#include <QCoreApplication>

#include <cstdio>

#include "FloodLines.h"

FloodServer::FloodServer(int lines, int channels, int members, QObject *parent)
    : OneClientServer(parent), m_lines(lines), m_channels(channels), m_members(members)
{}

void FloodServer::HandleLine(const std::string &line)
{
    if (line.rfind("NICK ", 0) == 0) {
        Send(FloodLines::Setup(line.substr(5), m_channels, m_members));
    } else if (line == std::string("PRIVMSG ") + FloodLines::kChannel + " :ready" && !m_flooding) {
        m_flooding = true;
        const std::string flood = FloodLines::Flood(m_lines) + "PING :done\r\n";
        m_timer.start();
        Send(flood);
    } else if (line == "PONG done" && m_flooding) {
        std::printf("elapsed %lld\n", static_cast<long long>(m_timer.nsecsElapsed() / 1000));
        std::fflush(stdout);
        CloseClient();
        QCoreApplication::quit();
    }
}
