#pragma once

#include <QProcess>
#include <QStringList>

#include <string>

// The scripted server of a benchmark in a child process: this executable
// started again with the server's arguments. What the child prints is
// collected; the child is ended with this object.
class ServerChild
{
public:
    ServerChild();
    ~ServerChild();

    // Starts the child and waits until it has printed "port N"; N, or 0
    // (said on stderr) when the server did not start.
    unsigned Start(const QStringList &arguments);
    // Everything the child has printed so far.
    const std::string &Output() const { return m_output; }

private:
    QProcess m_process;
    std::string m_output;
};
