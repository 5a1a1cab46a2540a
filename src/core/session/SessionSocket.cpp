#include "session/SessionSocket.h"

#include "session/Session.h"

void SessionSocket::OnConnect(int error)
{
    if (m_session)
        m_session->OnConnect(error);
}

void SessionSocket::OnReceive(int error)
{
    if (m_session)
        m_session->OnReceive(error);
}

void SessionSocket::OnSend(int error)
{
    if (m_session)
        m_session->OnSend(error);
}

void SessionSocket::OnClose(int error)
{
    if (m_session)
        m_session->OnClose(error);
}

bool SessionSocket::OnCertificateProblem(const CertificateProblem &problem)
{
    return m_session && m_session->OnCertificateProblem(problem);
}
