#include "RecordingSocket.h"

#include "support/FreePort.h"
#include "support/ScriptedServer.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace {

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
    return bytes;
}

class AsyncSocketTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Listen()); }

    bool ConnectClient(RecordingSocket &socket)
    {
        if (!socket.Connect("127.0.0.1", m_server.Port()))
            return false;
        return WaitFor([&] { return socket.Count(RecordingSocket::Connected) > 0; })
            && socket.ErrorOf(RecordingSocket::Connected) == 0 && m_server.WaitForClient();
    }

    ScriptedServer m_server;
};

} // namespace

TEST_F(AsyncSocketTest, ConnectsExchangesLinesAndReportsTheOrderlyClose)
{
    RecordingSocket socket;
    ASSERT_TRUE(socket.Connect("127.0.0.1", m_server.Port()));
    EXPECT_TRUE(socket.events.empty()) << "the outcome must come from the event loop";
    EXPECT_TRUE(socket.IsConnecting());

    ASSERT_TRUE(WaitFor([&] { return socket.Count(RecordingSocket::Connected) == 1; }));
    EXPECT_EQ(socket.ErrorOf(RecordingSocket::Connected), 0);
    EXPECT_TRUE(socket.IsConnected());
    EXPECT_EQ(socket.PeerPort(), m_server.Port());
    EXPECT_EQ(socket.PeerAddress(), "127.0.0.1");
    EXPECT_EQ(socket.LocalAddress(), "127.0.0.1");
    EXPECT_NE(socket.LocalPort(), 0);
    EXPECT_EQ(socket.Count(RecordingSocket::Sent), 1) << "a fresh connection is announced writable";

    const std::string line = "NICK brimo\r\n";
    EXPECT_EQ(socket.Send(line.data(), static_cast<int>(line.size())), static_cast<int>(line.size()));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK brimo"));

    ASSERT_TRUE(m_server.WaitForClient());
    ASSERT_TRUE(m_server.SendLine(":srv 001 brimo :Welcome"));
    ASSERT_TRUE(WaitFor([&] { return socket.received == ":srv 001 brimo :Welcome\r\n"; }));
    EXPECT_EQ(socket.ErrorOf(RecordingSocket::Received), 0);

    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return socket.Count(RecordingSocket::Closed) > 0; }));
    EXPECT_EQ(socket.ErrorOf(RecordingSocket::Closed), 0);
    EXPECT_FALSE(socket.IsConnected());
    char byte;
    EXPECT_EQ(socket.Receive(&byte, 1), 0) << "after the peer's close a read gives 0";
    EXPECT_EQ(socket.Send("x", 1), -1);
    PumpEvents(50);
    EXPECT_EQ(socket.Count(RecordingSocket::Closed), 1);
}

TEST_F(AsyncSocketTest, RefusedConnectionReportsTheSystemCodeOnceAndNothingElse)
{
    RecordingSocket socket;
    const uint16_t port = FreeLocalPort();
    ASSERT_NE(port, 0);
    ASSERT_TRUE(socket.Connect("127.0.0.1", port));
    EXPECT_TRUE(socket.events.empty()) << "even an immediate refusal arrives from the event loop";

    ASSERT_TRUE(WaitFor([&] { return socket.Count(RecordingSocket::Connected) > 0; }));
    EXPECT_EQ(socket.ErrorOf(RecordingSocket::Connected), ECONNREFUSED);
    EXPECT_EQ(AsyncSocket::RefusedCode(), ECONNREFUSED);
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_FALSE(socket.IsConnecting());
    PumpEvents(50);
    ASSERT_EQ(socket.events.size(), 1u) << "no OnClose or OnSend follows a failed connect";

    // The same object can try again and succeed.
    socket.events.clear();
    ASSERT_TRUE(socket.Connect("127.0.0.1", m_server.Port()));
    ASSERT_TRUE(WaitFor([&] { return socket.Count(RecordingSocket::Connected) > 0; }));
    EXPECT_EQ(socket.ErrorOf(RecordingSocket::Connected), 0);
}

TEST_F(AsyncSocketTest, ConnectTimeOutReportsETIMEDOUT)
{
    // A listener that never accepts, with its queue filled, leaves further
    // connection attempts waiting for an answer that does not come.
    QTcpServer silent;
    silent.setListenBacklogSize(1);
    silent.setMaxPendingConnections(1);
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    silent.pauseAccepting();
    std::vector<std::unique_ptr<QTcpSocket>> fillers;
    bool stuck = false;
    for (int i = 0; i < 16 && !stuck; ++i) {
        auto filler = std::make_unique<QTcpSocket>();
        filler->connectToHost(QHostAddress::LocalHost, silent.serverPort());
        QTcpSocket *raw = filler.get();
        stuck = !WaitFor([raw] { return raw->state() == QAbstractSocket::ConnectedState; }, 1500);
        fillers.push_back(std::move(filler));
    }
    if (!stuck)
        GTEST_SKIP() << "this system completes every loopback connection";

    RecordingSocket socket;
    socket.SetConnectTimeout(300);
    ASSERT_TRUE(socket.Connect("127.0.0.1", silent.serverPort()));
    ASSERT_TRUE(WaitFor([&] { return socket.Count(RecordingSocket::Connected) > 0; }));
    EXPECT_EQ(socket.ErrorOf(RecordingSocket::Connected), ETIMEDOUT);
    EXPECT_FALSE(socket.IsConnecting());
    PumpEvents(50);
    EXPECT_EQ(socket.events.size(), 1u);
}

TEST_F(AsyncSocketTest, CloseSilencesEveryLaterNotification)
{
    RecordingSocket pending;
    ASSERT_TRUE(pending.Connect("127.0.0.1", m_server.Port()));
    pending.Close();
    PumpEvents(100);
    EXPECT_TRUE(pending.events.empty()) << "an attempt closed before it ends reports nothing";

    RecordingSocket socket;
    ASSERT_TRUE(ConnectClient(socket));
    ASSERT_TRUE(m_server.WaitForClient(2));
    socket.Close();
    const size_t before = socket.events.size();
    m_server.SendLine("late line");
    m_server.CloseClient();
    PumpEvents(100);
    EXPECT_EQ(socket.events.size(), before);
    EXPECT_FALSE(socket.IsConnected());
    char byte;
    EXPECT_EQ(socket.Receive(&byte, 1), -1);
    EXPECT_EQ(socket.LastError(), AsyncSocket::NotConnectedCode());
}

TEST_F(AsyncSocketTest, BytesLeftAfterAShortReadAreAnnouncedAgain)
{
    RecordingSocket socket;
    socket.readChunk = 7;
    ASSERT_TRUE(ConnectClient(socket));
    const std::string payload = Pattern(1000);
    ASSERT_TRUE(m_server.SendRaw(payload));
    // No new bytes arrive after the first notification: the rest must be
    // announced by the socket itself.
    ASSERT_TRUE(WaitFor([&] { return socket.received.size() == payload.size(); }));
    EXPECT_EQ(socket.received, payload);
    EXPECT_GE(socket.Count(RecordingSocket::Received), 1000 / 7);
}

TEST_F(AsyncSocketTest, ReceiveIsNotReenteredByAnEventLoopPumpedInside)
{
    RecordingSocket socket;
    socket.readChunk = 3;
    ASSERT_TRUE(ConnectClient(socket));
    int rounds = 0;
    socket.onReceiveHook = [&] {
        if (++rounds > 4)
            return;
        // What a session does between two dispatched lines, while the
        // server goes on sending.
        const qint64 waiting = socket.BytesAvailable();
        m_server.SendLine("more");
        WaitFor([&] { return socket.BytesAvailable() > waiting; }, 5000);
    };
    ASSERT_TRUE(m_server.SendLine("first"));
    const std::string expected = "first\r\nmore\r\nmore\r\nmore\r\nmore\r\n";
    ASSERT_TRUE(WaitFor([&] { return socket.received == expected; }));
    EXPECT_EQ(socket.deepestReceive, 1);
}

TEST_F(AsyncSocketTest, UnreadBytesReachTheReceiverBeforeThePeersClose)
{
    RecordingSocket socket;
    socket.readChunk = 1000;
    ASSERT_TRUE(ConnectClient(socket));
    const std::string payload = Pattern(20000);
    ASSERT_TRUE(m_server.SendRaw(payload));
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return socket.Count(RecordingSocket::Closed) > 0; }));
    EXPECT_EQ(socket.received, payload);
    EXPECT_EQ(socket.events.back().kind, RecordingSocket::Closed);
    EXPECT_EQ(socket.Count(RecordingSocket::Closed), 1);
}

TEST_F(AsyncSocketTest, PartialSendsAreResumedOnSendWithoutLosingBytes)
{
    RecordingSocket socket;
    socket.SetSendLimit(4096);
    ASSERT_TRUE(ConnectClient(socket));
    const std::string payload = Pattern(300000);
    size_t offset = 0;
    int shortSends = 0;
    auto sendMore = [&] {
        while (offset < payload.size()) {
            const int rest = static_cast<int>(payload.size() - offset);
            const int taken = socket.Send(payload.data() + offset, rest);
            if (taken < 0) {
                EXPECT_EQ(socket.LastError(), AsyncSocket::WouldBlockCode());
                return;
            }
            offset += static_cast<size_t>(taken);
            if (taken < rest) {
                ++shortSends;
                EXPECT_LE(socket.BytesToWrite(), 4096);
                return;
            }
        }
    };
    socket.onSendHook = sendMore;
    sendMore();
    EXPECT_GT(shortSends, 0) << "a send beyond the limit takes only part of the bytes";
    ASSERT_TRUE(WaitFor([&] { return m_server.ReceivedBytes().size() >= payload.size(); }, 30000));
    EXPECT_EQ(m_server.ReceivedBytes(), payload);
    EXPECT_EQ(socket.BytesToWrite(), 0);
}

TEST_F(AsyncSocketTest, CloseAndShutdownSendStillDeliverWhatWasAccepted)
{
    // More than the system's buffers take at once, so that some of it is
    // still waiting in the socket when it is closed.
    const std::string payload = Pattern(24 * 1024 * 1024);
    {
        RecordingSocket socket;
        socket.SetSendLimit(static_cast<int>(payload.size()));
        ASSERT_TRUE(ConnectClient(socket));
        ASSERT_EQ(socket.Send(payload.data(), static_cast<int>(payload.size())), static_cast<int>(payload.size()));
        socket.Close();
    }
    ASSERT_TRUE(WaitFor([&] { return !m_server.HasClient(); }, 30000));
    EXPECT_EQ(m_server.ReceivedBytes().size(), payload.size());
    EXPECT_TRUE(m_server.ReceivedBytes() == payload);

    m_server.ClearLines();
    RecordingSocket socket;
    socket.SetSendLimit(static_cast<int>(payload.size()));
    ASSERT_TRUE(ConnectClient(socket));
    ASSERT_EQ(socket.Send(payload.data(), static_cast<int>(payload.size())), static_cast<int>(payload.size()));
    EXPECT_GT(socket.BytesToWrite(), 0);
    socket.ShutdownSend();
    EXPECT_EQ(socket.Send("x", 1), -1) << "nothing is taken after the sending side is shut";
    // The server sees the end of the stream after the last byte; it closes
    // in turn, which the socket reports.
    ASSERT_TRUE(WaitFor([&] { return socket.Count(RecordingSocket::Closed) > 0; }, 30000));
    EXPECT_TRUE(m_server.ReceivedBytes() == payload);
    EXPECT_EQ(socket.ErrorOf(RecordingSocket::Closed), 0);
}

TEST_F(AsyncSocketTest, ListenerAcceptsConnectionsThatTalkBothWays)
{
    RecordingSocket listener;
    ASSERT_TRUE(listener.Listen(0, "127.0.0.1"));
    EXPECT_TRUE(listener.IsListening());
    ASSERT_NE(listener.LocalPort(), 0);
    EXPECT_EQ(listener.LocalAddress(), "127.0.0.1");

    RecordingSocket accepted;
    listener.onAcceptHook = [&] { EXPECT_TRUE(listener.Accept(accepted)); };
    RecordingSocket client;
    ASSERT_TRUE(client.Connect("127.0.0.1", listener.LocalPort()));
    ASSERT_TRUE(WaitFor([&] { return accepted.IsConnected() && client.IsConnected(); }));
    EXPECT_EQ(listener.ErrorOf(RecordingSocket::Accepted), 0);
    EXPECT_EQ(accepted.PeerPort(), client.LocalPort());
    EXPECT_EQ(accepted.PeerAddress(), "127.0.0.1");

    ASSERT_EQ(client.Send("113, 6667\r\n", 11), 11);
    ASSERT_TRUE(WaitFor([&] { return accepted.received == "113, 6667\r\n"; }));
    ASSERT_EQ(accepted.Send("reply\r\n", 7), 7);
    ASSERT_TRUE(WaitFor([&] { return client.received == "reply\r\n"; }));

    accepted.Close();
    ASSERT_TRUE(WaitFor([&] { return client.Count(RecordingSocket::Closed) > 0; }));
    EXPECT_EQ(listener.Accept(), nullptr) << "no connection is pending any more";
}

TEST_F(AsyncSocketTest, BytesSentBeforeTheAcceptAreDeliveredAfterIt)
{
    RecordingSocket listener;
    ASSERT_TRUE(listener.Listen(0, "127.0.0.1"));
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, listener.LocalPort());
    ASSERT_TRUE(WaitFor([&] { return listener.Count(RecordingSocket::Accepted) > 0; }));
    peer.write("early bytes");
    peer.flush();
    PumpEvents(50);

    QTcpSocket *connection = listener.Accept();
    ASSERT_NE(connection, nullptr);
    RecordingSocket adopted(connection);
    ASSERT_TRUE(WaitFor([&] { return adopted.received == "early bytes"; }));
}

TEST_F(AsyncSocketTest, ListenFailsCleanlyOnABusyPortAndABadAddress)
{
    RecordingSocket first;
    ASSERT_TRUE(first.Listen(0, "127.0.0.1"));
    RecordingSocket second;
    EXPECT_FALSE(second.Listen(first.LocalPort(), "127.0.0.1"));
    EXPECT_EQ(second.LastError(), EADDRINUSE);
    EXPECT_FALSE(second.IsListening());
    EXPECT_FALSE(second.Listen(0, "not an address"));
    EXPECT_EQ(second.Accept(), nullptr);

    RecordingSocket unconnected;
    EXPECT_FALSE(unconnected.Attach(nullptr));
    EXPECT_FALSE(unconnected.Attach(new QTcpSocket()));
    EXPECT_EQ(unconnected.Send("x", 1), -1);
    EXPECT_EQ(unconnected.LastError(), AsyncSocket::NotConnectedCode());
}

TEST_F(AsyncSocketTest, OptionsApplyToTheConnectedSocket)
{
    RecordingSocket socket;
    EXPECT_FALSE(socket.SetOption(AsyncSocket::KeepAlive, 1)) << "no socket yet";
    ASSERT_TRUE(ConnectClient(socket));
    EXPECT_TRUE(socket.SetOption(AsyncSocket::KeepAlive, 1));
    EXPECT_NE(socket.GetOption(AsyncSocket::KeepAlive), 0);
    EXPECT_TRUE(socket.SetOption(AsyncSocket::KeepAlive, 0));
    EXPECT_EQ(socket.GetOption(AsyncSocket::KeepAlive), 0);
    EXPECT_TRUE(socket.SetOption(AsyncSocket::OobInline, 1));
    EXPECT_NE(socket.GetOption(AsyncSocket::OobInline), 0);
    EXPECT_TRUE(socket.SetOption(AsyncSocket::DontRoute, 1));
    EXPECT_TRUE(socket.SetOption(AsyncSocket::ReceiveBufferSize, 4097));
    EXPECT_TRUE(socket.SetOption(AsyncSocket::SendBufferSize, 4097));
    EXPECT_GE(socket.GetOption(AsyncSocket::ReceiveBufferSize), 4097);

    // The connection still carries data with the small buffers.
    ASSERT_TRUE(m_server.SendLine("after options"));
    ASSERT_TRUE(WaitFor([&] { return socket.received == "after options\r\n"; }));
}
