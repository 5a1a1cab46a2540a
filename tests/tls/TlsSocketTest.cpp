// The TLS layer of the socket and the port notation, without a server.
#include <gtest/gtest.h>

#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

#include <cerrno>

#include "config/ServerPort.h"
#include "platform/AsyncSocket.h"
#include "support/TestCertificates.h"
#include "support/WaitFor.h"

namespace {

TEST(ServerPortText, APlusMeansTlsAndAloneTheUsualTlsPort)
{
    struct Row
    {
        const char *word;
        unsigned port;
        bool tls;
        bool valid;
    };
    const Row rows[] = {
        {"6667", 6667, false, true},    {"+6697", 6697, true, true}, {"+", 6697, true, true},
        {"+7000x", 7000, true, true},   {"", 0, false, false},       {"+0", 0, true, false},
        {"70000", 65536, false, false}, {"-6667", 0, false, false},  {"++6697", 6697, true, true},
    };
    for (const Row &row : rows) {
        const ServerPort port = ServerPort::Parse(row.word);
        EXPECT_EQ(port.port, row.port) << row.word;
        EXPECT_EQ(port.tls, row.tls) << row.word;
        EXPECT_EQ(port.IsValid(), row.valid) << row.word;
    }
    EXPECT_EQ((ServerPort{6697, true}).Text(), "+6697");
    EXPECT_EQ((ServerPort{6667, false}).Text(), "6667");
}

class RecordingSocket : public AsyncSocket
{
public:
    int m_connectError = -1;
    int m_problems = 0;

protected:
    void OnConnect(int error) override { m_connectError = error; }
    bool OnCertificateProblem(const CertificateProblem &) override
    {
        ++m_problems;
        return false;
    }
};

TEST(TlsSocket, AHandshakeThatStallsEndsAtTheConnectTimeOut)
{
    // A peer that accepts the connection and never answers the handshake.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    RecordingSocket socket;
    socket.SetConnectTimeout(300);
    ASSERT_TRUE(socket.ConnectEncrypted("127.0.0.1", silent.serverPort(), ""));
    ASSERT_TRUE(WaitFor([&] { return silent.hasPendingConnections(); }));
    EXPECT_TRUE(socket.IsConnecting());
    ASSERT_TRUE(WaitFor([&] { return socket.m_connectError != -1; }));
    EXPECT_EQ(socket.m_connectError, ETIMEDOUT);
    EXPECT_FALSE(socket.IsConnected());
}

TEST(TlsSocket, ANonTlsPeerFailsTheAttemptInsteadOfConnecting)
{
    QTcpServer plain;
    ASSERT_TRUE(plain.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&plain, &QTcpServer::newConnection, [&] {
        QTcpSocket *peer = plain.nextPendingConnection();
        peer->write(":irc.test NOTICE * :*** Looking up your hostname\r\n");
    });
    RecordingSocket socket;
    ASSERT_TRUE(socket.ConnectEncrypted("127.0.0.1", plain.serverPort(), ""));
    ASSERT_TRUE(WaitFor([&] { return socket.m_connectError != -1; }));
    EXPECT_NE(socket.m_connectError, 0);
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_FALSE(socket.IsEncrypted());
}

TEST(TlsSocket, AnOversizedCertificateChainEndsTheAttempt)
{
    if (!TestCertificates::IsAvailable())
        GTEST_SKIP() << "openssl is not installed";
    TestCertificates certificates;
    ASSERT_TRUE(certificates.MakeSelfSigned("huge", "IP:127.0.0.1"));
    QFile certificateFile(QString::fromStdString(certificates.Certificate("huge")));
    QFile keyFile(QString::fromStdString(certificates.Key("huge")));
    ASSERT_TRUE(certificateFile.open(QIODevice::ReadOnly) && keyFile.open(QIODevice::ReadOnly));
    const QSslCertificate certificate(certificateFile.readAll());
    // About 300 KB of certificates behind the server's own.
    QList<QSslCertificate> chain{certificate};
    while (chain.size() * certificate.toDer().size() < 300 * 1024)
        chain.append(certificate);
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificateChain(chain);
    configuration.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
    QSslServer server;
    server.setSslConfiguration(configuration);
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));

    RecordingSocket socket;
    ASSERT_TRUE(socket.ConnectEncrypted("127.0.0.1", server.serverPort(), ""));
    ASSERT_TRUE(WaitFor([&] { return socket.m_connectError != -1; }));
    EXPECT_NE(socket.m_connectError, 0);
    // Refused by its size before any certificate of it was looked at.
    EXPECT_EQ(socket.m_problems, 0);
    EXPECT_FALSE(socket.IsConnected());
}

} // namespace
