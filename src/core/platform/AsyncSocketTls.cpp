// AsyncSocket over TLS: the client certificate, the server certificate that
// cannot be verified, and what the encrypted connection tells.
#include "platform/AsyncSocket.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSslCipher>
#include <QSslKey>
#include <QSslSocket>

#include "platform/SocketCode.h"

namespace {

std::string Fingerprint(const QSslCertificate &certificate)
{
    if (certificate.isNull())
        return std::string();
    return certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
}

// Reads a PEM file holding a certificate and its private key (of any of the
// usual algorithms) into the socket's configuration.
bool LoadClientCertificate(QSslSocket &socket, const std::string &path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kMostPemBytes = 1024 * 1024;
    const QByteArray pem = file.read(kMostPemBytes);
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(pem, QSsl::Pem);
    if (certificates.isEmpty())
        return false;
    for (QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        const QSslKey key(pem, algorithm, QSsl::Pem);
        if (!key.isNull()) {
            socket.setLocalCertificate(certificates.first());
            socket.setPrivateKey(key);
            return true;
        }
    }
    return false;
}

} // namespace

bool AsyncSocket::ConnectEncrypted(const std::string &host, uint16_t port, const std::string &clientCertificate)
{
    if (!QSslSocket::supportsSsl()) {
        Close();
        m_lastError = SocketCode::NotSupported;
        return false;
    }
    auto *socket = new QSslSocket();
    if (!clientCertificate.empty() && !LoadClientCertificate(*socket, clientCertificate)) {
        delete socket;
        Close();
        m_lastError = SocketCode::Access;
        return false;
    }
    return StartConnect(socket, host, port, true);
}

void AsyncSocket::HandleCertificateErrors()
{
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    if (!ssl)
        return;
    CertificateProblem problem;
    for (const QSslError &error : ssl->sslHandshakeErrors()) {
        if (!problem.reasons.empty())
            problem.reasons += "\n";
        problem.reasons += error.errorString().toStdString();
    }
    problem.fingerprint = Fingerprint(ssl->peerCertificate());
    QPointer<AsyncSocket> alive(this);
    const bool accepted = OnCertificateProblem(problem);
    // Qt aborts the handshake after this signal unless told to go on.
    if (alive && accepted && m_socket == ssl)
        ssl->ignoreSslErrors();
}

bool AsyncSocket::IsEncrypted() const
{
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    return ssl && ssl->isEncrypted();
}

std::string AsyncSocket::TlsProtocol() const
{
    return IsEncrypted() ? static_cast<QSslSocket *>(m_socket.data())->sessionCipher().protocolString().toStdString()
                         : std::string();
}

std::string AsyncSocket::TlsCipher() const
{
    return IsEncrypted() ? static_cast<QSslSocket *>(m_socket.data())->sessionCipher().name().toStdString()
                         : std::string();
}

std::string AsyncSocket::PeerFingerprint() const
{
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    return ssl ? Fingerprint(ssl->peerCertificate()) : std::string();
}
