#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "SessionFixture.h"

namespace {

using Transport = SessionFixture;

TEST_F(Transport, LinesSplitOverReadsAreDispatchedOnceWithEitherEnding)
{
    Session *session = ConnectSession();
    m_server.SendRaw(":srv 372 me :first");
    ASSERT_TRUE(WaitFor([&] { return m_debug.find("Command: /reguser") != std::string::npos; }));
    PumpEvents(50);
    m_server.SendRaw(" part");
    PumpEvents(50);
    m_server.SendRaw(" done\r\n:srv 372 me :bare\n:srv 372 me :x\r\n\r\n");
    ASSERT_TRUE(WaitForServerLine(session, "[ 0372 ] x"));
    FakeConversationView *view = ServerView(session);
    EXPECT_EQ(view->CountLines("[ 0372 ] first part done"), 1);
    EXPECT_TRUE(view->HasLine("[ 0372 ] bare"));
    EXPECT_NE(m_debug.find("Received: :srv 372 me :bare"), std::string::npos);
}

TEST_F(Transport, ANulByteEndsTheUsablePartOfItsRead)
{
    Session *session = ConnectSession();
    m_server.SendRaw(std::string(":srv 372 me :kept\r\n:srv 372 me :lost\0garbage\r\n", 46));
    ASSERT_TRUE(WaitForServerLine(session, "[ 0372 ] kept"));
    m_server.SendRaw(":srv 372 me :after\r\n");
    ASSERT_TRUE(WaitFor([&] { return ServerView(session)->HasLineContaining("after"); }));
    // The bytes before the NUL wait for the rest of their line like any others.
    EXPECT_TRUE(ServerView(session)->HasLine("[ 0372 ] lost:srv 372 me :after"));
    EXPECT_FALSE(ServerView(session)->HasLineContaining("garbage"));
}

TEST_F(Transport, LinesGivenWhileConnectingFollowTheRegistrationInOrder)
{
    Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    EXPECT_EQ(session->SendLine("JOIN #one"), 0);
    EXPECT_EQ(session->SendLine("PRIVMSG #one :hi\r\n"), 0);
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG"));
    const auto &lines = m_server.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "CAP LS 302");
    EXPECT_EQ(lines[1].rfind("USER ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("NICK ", 0), 0u);
    EXPECT_EQ(lines[3], "JOIN #one");
    EXPECT_EQ(lines[4], "PRIVMSG #one :hi");
    // exactly one CR LF per line on the wire
    const std::string bytes = m_server.ReceivedBytes();
    EXPECT_NE(bytes.find("JOIN #one\r\nPRIVMSG #one :hi\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\r\n\r\n"), std::string::npos);
    EXPECT_NE(m_debug.find("Not send add to buffer: JOIN #one"), std::string::npos);
    EXPECT_NE(m_debug.find("Sending NonSendLine (waiting line) : JOIN #one"), std::string::npos);
}

TEST_F(Transport, NoCrLfOrNulFromInsideALineReachesTheWire)
{
    Session *session = ConnectSession();
    session->SendLine("PRIVMSG #c :hi\r\nQUIT :smuggled");
    session->SendLine("PRIVMSG #c :a\nKICK #c x");
    session->SendLine(std::string("PRIVMSG #c :b\0MODE #c +o y", 27));
    session->SendLine("PRIVMSG #c :end");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG #c :end"));
    for (const std::string &line : m_server.Lines()) {
        EXPECT_EQ(line.find("QUIT"), std::string::npos) << line;
        EXPECT_EQ(line.find("KICK"), std::string::npos) << line;
        EXPECT_EQ(line.find("MODE"), std::string::npos) << line;
    }
    const std::string bytes = m_server.ReceivedBytes();
    EXPECT_NE(bytes.find("PRIVMSG #c :hi\r\nPRIVMSG #c :a\r\nPRIVMSG #c :b\r\nPRIVMSG #c :end\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
}

TEST_F(Transport, LinesQueuedWhileIdleAreDroppedAtTheNextAttempt)
{
    Session *session = ConnectSession();
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected() && !session->IsConnecting(); }));
    EXPECT_TRUE(ServerView(session)->HasLine("* Spojenie prerušené"));
    session->SendLine("PRIVMSG #c :stale");
    EXPECT_EQ(session->WaitingLines().size(), 1u);

    m_server.ClearLines();
    session->Command("", 0, "/timer 0");
    EXPECT_TRUE(ServerView(session)->HasLine("* Pokúšam sa o znovupripojenie"));
    EXPECT_TRUE(session->WaitingLines().empty());
    ASSERT_TRUE(m_server.WaitForClient(2));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
    PumpEvents(100);
    for (const std::string &line : m_server.Lines())
        EXPECT_EQ(line.find("stale"), std::string::npos);
}

TEST_F(Transport, AServerLineLongerThanTheBufferIsCut)
{
    Session *session = ConnectSession();
    m_server.SendRaw(":srv 372 me :" + std::string(6000, 'z') + "\r\n:srv 372 me :next\r\n");
    ASSERT_TRUE(WaitForServerLine(session, "[ 0372 ] next"));
    const auto &lines = ServerView(session)->Lines();
    const auto cut =
        std::find_if(lines.begin(), lines.end(), [](const auto &l) { return l.text.find("zzz") != std::string::npos; });
    ASSERT_NE(cut, lines.end());
    EXPECT_EQ(cut->text, "[ 0372 ] " + std::string(4096 - 13, 'z'));
}

TEST_F(Transport, TenMegabytesWithoutLineFeedDoNotGrowTheSession)
{
    Session *session = ConnectSession();
    const std::string block(64 * 1024, 'q');
    const int kBlocks = 160;
    for (int i = 0; i < kBlocks; ++i)
        m_server.SendRaw(block);
    m_server.SendRaw("\r\nPING :alive\r\n");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PONG alive", 30000));
    EXPECT_TRUE(session->IsConnected());
}

TEST_F(Transport, AReceivedLineThatIsNotUtf8IsShownAsWindows1250)
{
    Session *session = ConnectSession();
    m_server.SendRaw(":srv 372 me :\xBEudia \x9A\x9D"
                     "astie\r\n:srv 372 me :už UTF-8\r\n");
    ASSERT_TRUE(WaitForServerLine(session, "[ 0372 ] už UTF-8"));
    EXPECT_TRUE(ServerView(session)->HasLine("[ 0372 ] ľudia šťastie"));
}

TEST_F(Transport, ClosingTheSessionFromInsideTheBurstWaitsForTheReceiveHandler)
{
    Session *session = ConnectSession();
    const std::string key = session->Key();
    bool closed = false;
    bool closedWhileReceiving = false;
    QTimer userAction;
    // A user action that runs while the burst is dispatched closes the session.
    QObject::connect(&userAction, &QTimer::timeout, [&] {
        if (closed || !session->IsReceiving())
            return;
        closedWhileReceiving = true;
        closed = m_table->CloseSession(key);
    });
    userAction.start(0);
    std::string burst;
    for (int i = 0; i < 200; ++i)
        burst += ":srv 372 me :line " + std::to_string(i) + "\r\n";
    m_server.SendRaw(burst);
    ASSERT_TRUE(WaitFor([&] { return closed; }));
    userAction.stop();
    EXPECT_TRUE(closedWhileReceiving);
    EXPECT_EQ(m_table->FindSession(key), nullptr);
    // the rest of the burst was not dispatched into the closed session's windows
    EXPECT_FALSE(m_shell->View(key)->HasLine("[ 0372 ] line 199"));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("QUIT"));
    PumpEvents(50);
}

TEST_F(Transport, ASecondReceiveDoesNotEnterWhileABurstIsDispatched)
{
    Session *session = ConnectSession();
    int deepest = 0;
    int uiRunsInsideBurst = 0;
    bool fedMore = false;
    QTimer pokes;
    // Runs on the UI thread, also inside the pump of the receive handler.
    QObject::connect(&pokes, &QTimer::timeout, [&] {
        deepest = std::max(deepest, session->ReceiveDepth());
        if (!session->IsReceiving())
            return;
        ++uiRunsInsideBurst;
        if (!fedMore) {
            // More data arrives while the burst is being dispatched.
            fedMore = true;
            m_server.SendRaw(":srv 372 me :second burst\r\n");
        }
    });
    pokes.start(0);
    std::string burst;
    for (int i = 0; i < 100; ++i)
        burst += ":srv 372 me :b " + std::to_string(i) + "\r\n";
    m_server.SendRaw(burst);
    ASSERT_TRUE(WaitFor([&] { return ServerView(session)->HasLine("[ 0372 ] second burst"); }));
    pokes.stop();
    EXPECT_GT(uiRunsInsideBurst, 0);
    EXPECT_EQ(deepest, 1);
    const auto &lines = ServerView(session)->Lines();
    const auto second =
        std::find_if(lines.begin(), lines.end(), [](const auto &l) { return l.text == "[ 0372 ] second burst"; });
    const auto last = std::find_if(lines.begin(), lines.end(), [](const auto &l) { return l.text == "[ 0372 ] b 99"; });
    EXPECT_LT(last - lines.begin(), second - lines.begin()); // the burst ends before the next read
}

} // namespace
