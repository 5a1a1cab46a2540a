#pragma once

#include <string>

#include "OneClientServer.h"

// The scripted server of the search benchmark, run in a child process: it
// listens on 127.0.0.1, prints its port, welcomes the one client that comes
// and answers its LIST with the given number of channels (varied user
// counts and topics) at once.
class ListServer : public OneClientServer
{
public:
    explicit ListServer(int channels, QObject *parent = nullptr);

    // The whole reply to LIST for this many channels.
    static std::string ListReply(int channels);

private:
    void HandleLine(const std::string &line) override;

    int m_channels;
};
