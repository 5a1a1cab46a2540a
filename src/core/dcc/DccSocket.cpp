#include "dcc/DccSocket.h"

#include "dcc/DirectConnect.h"

void DccSocket::OnConnect(int error)
{
    m_connection.OnConnect(error);
}

void DccSocket::OnReceive(int error)
{
    m_connection.OnReceive(*this, error);
}

void DccSocket::OnSend(int error)
{
    m_connection.OnSend(*this, error);
}

void DccSocket::OnClose(int error)
{
    m_connection.OnClose(error);
}

void DccSocket::OnAccept(int error)
{
    m_connection.OnAccept(error);
}
