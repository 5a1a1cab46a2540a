// Connections over TLS: which certificates the session accepts and the
// question about one it cannot verify.
#include "session/Session.h"

#include <algorithm>

#include "config/Config.h"
#include "conversation/Question.h"
#include "conversation/Shell.h"
#include "session/SessionSocket.h"
#include "text/CaseFold.h"
#include "text/Strings.h"

namespace {

// Fingerprints the user accepted for good, by "host:port".
const char *const kCertificatesSection = "Certificates";
// The PEM file (certificate and key) a server entry offers, by its name.
const char *const kClientCertificatesSection = "Client Certificates";

} // namespace

std::string Session::CertificateServer() const
{
    return FoldCase(m_host) + ":" + std::to_string(m_port);
}

bool Session::ConnectSocket()
{
    if (m_port > 65535)
        return false;
    const auto port = static_cast<uint16_t>(m_port);
    if (!m_tls)
        return m_socket->Connect(m_host, port);
    const std::string clientCertificate = ReadString(kClientCertificatesSection, m_confName);
    if (m_socket->ConnectEncrypted(m_host, port, clientCertificate))
        return true;
    if (!clientCertificate.empty())
        PrintTo("", TextClass::Error, Strings::Format(Str::ClientCertificateUnreadable, clientCertificate.c_str()));
    return false;
}

void Session::PrintEncryption()
{
    if (!m_socket->IsEncrypted())
        return;
    PrintTo("", TextClass::Info,
            Strings::Format(Str::SecureConnection, m_socket->TlsProtocol().c_str(), m_socket->TlsCipher().c_str()));
}

bool Session::OnCertificateProblem(const AsyncSocket::CertificateProblem &problem)
{
    const std::string server = CertificateServer();
    if (!problem.fingerprint.empty()
        && (problem.fingerprint == m_acceptedFingerprint
            || problem.fingerprint == ReadString(kCertificatesSection, server))) {
        Log("Certificate accepted by its fingerprint: %s", problem.fingerprint.c_str());
        return true;
    }
    std::string reasons = problem.reasons;
    std::replace(reasons.begin(), reasons.end(), '\n', ';');
    PrintTo("", TextClass::Error, Strings::Format(Str::CertificateNotVerified, server.c_str(), reasons.c_str()));
    // One question per certificate: a second attempt cannot start before the
    // answer (MayReconnect), so the queue never holds the same question twice.
    m_askedFingerprint = problem.fingerprint;
    if (Shell *shell = GetShell())
        shell->AskQuestion(Question::ForCertificate(server, m_key, problem.fingerprint, reasons));
    return false;
}

void Session::AnswerCertificate(CertificateAnswer answer, const std::string &fingerprint)
{
    if (fingerprint.empty() || fingerprint != m_askedFingerprint)
        return;
    m_askedFingerprint.clear();
    const std::string server = CertificateServer();
    switch (answer) {
    case CertificateAnswer::Refuse:
        m_certificateRefused = true;
        PrintTo("", TextClass::Error, Strings::Format(Str::CertificateRefused, server.c_str()));
        return;
    case CertificateAnswer::AcceptAlways:
        WriteString(kCertificatesSection, server, fingerprint);
        break;
    case CertificateAnswer::AcceptOnce:
        m_acceptedFingerprint = fingerprint;
        break;
    }
    if (!m_connected && !m_connecting && MayReconnect())
        StartConnect();
}
