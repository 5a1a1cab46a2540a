#include "session/IdentConnection.h"

#include <QTimer>

#include "session/IdentServer.h"

IdentConnection::IdentConnection(QTcpSocket *accepted, IdentServer &owner) : AsyncSocket(accepted), m_owner(&owner) {}

void IdentConnection::Reply(const std::string &line)
{
    Send(line.data(), static_cast<int>(line.size()));
    // Closing at once could reset the connection while the query is still
    // unread and lose the reply; a FIN after the reply is the clean end.
    ShutdownSend();
    QTimer::singleShot(kLingerMs, this, [this] { Finish(); });
}

void IdentConnection::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    Close();
    if (m_owner)
        m_owner->Forget(this);
    m_owner = nullptr;
    deleteLater();
}

void IdentConnection::OnReceive(int error)
{
    (void)error;
    char buffer[512];
    const int count = Receive(buffer, sizeof buffer);
    if (count == 0 || (count < 0 && LastError() != WouldBlockCode()))
        Finish();
}

void IdentConnection::OnClose(int error)
{
    (void)error;
    Finish();
}
