#pragma once

#include <string>

#include "platform/AsyncSocket.h"

class IdentServer;
class QTcpSocket;

// One accepted ident query: sends the reply, ends its sending side, throws
// away whatever the peer sends and goes away when the peer closes (or after
// a time-out), so connections never pile up.
class IdentConnection : public AsyncSocket
{
public:
    static constexpr int kLingerMs = 30000;

    IdentConnection(QTcpSocket *accepted, IdentServer &owner);
    void Reply(const std::string &line);
    // Closes the connection and schedules the object's deletion.
    void Finish();

protected:
    void OnReceive(int error) override;
    void OnClose(int error) override;

private:
    IdentServer *m_owner;
    bool m_finished = false;
};
