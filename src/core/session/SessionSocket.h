#pragma once

#include "platform/AsyncSocket.h"

class Session;

// The socket of one session: hands its notifications to the session. The
// session keeps one for its whole life and reconnects it for each attempt.
class SessionSocket : public AsyncSocket
{
public:
    explicit SessionSocket(Session *session) : m_session(session) {}
    // The session is going away; later notifications are dropped.
    void DetachSession() { m_session = nullptr; }

protected:
    void OnConnect(int error) override;
    void OnReceive(int error) override;
    void OnSend(int error) override;
    void OnClose(int error) override;
    bool OnCertificateProblem(const CertificateProblem &problem) override;

private:
    Session *m_session;
};
