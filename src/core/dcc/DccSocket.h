#pragma once

#include "platform/AsyncSocket.h"

class DirectConnect;

// One socket of a direct connection (the control or the data socket): hands
// its notifications to its connection.
class DccSocket : public AsyncSocket
{
public:
    explicit DccSocket(DirectConnect &connection) : m_connection(connection) {}

protected:
    void OnConnect(int error) override;
    void OnReceive(int error) override;
    void OnSend(int error) override;
    void OnClose(int error) override;
    void OnAccept(int error) override;

private:
    DirectConnect &m_connection;
};
