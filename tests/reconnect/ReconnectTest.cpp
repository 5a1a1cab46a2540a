// When a lost connection is tried again: the back-off, "/reconnect", and no
// new attempt after a refusal for good.
#include <gtest/gtest.h>

#include "../session/SessionFixture.h"
#include "session/ReconnectBackoff.h"

namespace {

TEST(ReconnectBackoff, WaitsDoubleUpToFiveMinutesWithAFifthAtRandom)
{
    const int64_t expected[] = {0, 10000, 20000, 40000, 80000, 160000, 300000, 300000};
    for (int failures = 1; failures <= 8; ++failures)
        EXPECT_EQ(ReconnectBackoff::WaitAfter(failures), expected[failures - 1]) << failures;

    ReconnectBackoff backoff;
    double random = 0.0;
    backoff.SetRandom([&] { return random; });
    backoff.Lost(1000);
    EXPECT_TRUE(backoff.IsDue(1000));
    random = 0.5;
    backoff.Lost(2000);
    EXPECT_EQ(backoff.NextAttemptMs(), 2000 + 10000 + 1000);
    EXPECT_FALSE(backoff.IsDue(12999));
    EXPECT_TRUE(backoff.IsDue(13000));

    // A short-lived registration does not reset the count; a lasting one does.
    backoff.Registered(20000);
    backoff.Lost(20000 + ReconnectBackoff::LastingMs - 1);
    EXPECT_EQ(backoff.Failures(), 3);
    backoff.Registered(100000);
    backoff.Lost(100000 + ReconnectBackoff::LastingMs);
    EXPECT_EQ(backoff.Failures(), 1);
    EXPECT_TRUE(backoff.IsDue(100000 + ReconnectBackoff::LastingMs));
}

class Reconnect : public SessionFixture
{
protected:
    Session *ConnectWithClock()
    {
        Session *session = ConnectSession();
        session->SetClock([this] { return m_nowMs; });
        m_server.SendLine(":irc.test 001 brimo :Welcome");
        EXPECT_TRUE(WaitFor([&] { return !session->IsConnecting(); }));
        return session;
    }

    int64_t m_nowMs = 1000000;
};

TEST_F(Reconnect, RepeatedFailuresWaitLongerAndReconnectNowDoesNotWait)
{
    Session *session = ConnectWithClock();
    // The first loss is tried again at the next tick, as always.
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    session->Command("", 0, "/timer 0");
    EXPECT_TRUE(session->IsConnecting());
    ASSERT_TRUE(m_server.WaitForClient(2));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));

    // Nobody listens any more: the next failures wait 10 s and then 20 s (and up to a fifth more).
    m_server.CloseClient();
    m_server.StopListening();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    EXPECT_EQ(session->Backoff().Failures(), 2);
    session->Command("", 0, "/timer 0");
    EXPECT_FALSE(session->IsConnecting());
    m_nowMs += 9999;
    session->Command("", 0, "/timer 0");
    EXPECT_FALSE(session->IsConnecting());
    m_nowMs += 2001;
    session->Command("", 0, "/timer 0");
    EXPECT_TRUE(session->IsConnecting());
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnecting(); }));
    EXPECT_EQ(session->Backoff().Failures(), 3);
    m_nowMs += 19999;
    session->Command("", 0, "/timer 0");
    EXPECT_FALSE(session->IsConnecting());

    // "/reconnect" goes at once.
    ASSERT_TRUE(m_server.Listen(m_server.Port()));
    session->Command("", 0, "/reconnect");
    ASSERT_TRUE(m_server.WaitForClient(3));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
    EXPECT_EQ(session->Backoff().Failures(), 0);
}

TEST_F(Reconnect, ABanOrAWrongPasswordIsNotTriedAgainUntilAsked)
{
    struct Row
    {
        const char *refusal;
        const char *seen;
    };
    const Row rows[] = {
        {":irc.test 465 brimo :You are banned from this server", "You are banned from this server"},
        {":irc.test 464 brimo :Password incorrect", "Password incorrect"},
        {"ERROR :Closing link: (brimo@127.0.0.1) [K-Lined: spam]", "Closing link: (brimo@127.0.0.1) [K-Lined: spam]"},
    };
    int connections = 0;
    for (const Row &row : rows) {
        Session *session = ConnectWithClock();
        ++connections;
        m_server.SendLine(row.refusal);
        m_server.CloseClient();
        ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
        EXPECT_TRUE(ServerView(session)->HasLineContaining(row.seen)) << row.refusal;
        EXPECT_TRUE(ServerView(session)->HasLineContaining("* Server nás odmietol")) << row.refusal;
        m_nowMs += 3600 * 1000;
        session->Command("", 0, "/timer 0");
        EXPECT_FALSE(session->IsConnecting()) << row.refusal;
        session->Command("", 0, "/reconnect");
        EXPECT_TRUE(session->IsConnecting()) << row.refusal;
        ASSERT_TRUE(m_server.WaitForClient(++connections));
        ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
        m_table->CloseSession(session->Key());
        m_server.ClearLines();
    }
    // A plain close is no refusal.
    Session *session = ConnectWithClock();
    m_server.SendLine("ERROR :Closing link: (brimo@127.0.0.1) [Quit: bye]");
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    session->Command("", 0, "/timer 0");
    EXPECT_TRUE(session->IsConnecting());
}

// The server's goodbye after the user's own /quit is expected: whatever the
// quit message says, it is shown as information, and neither a refusal nor
// a connection error is reported.
TEST_F(Reconnect, TheClosingErrorAfterOurOwnQuitIsNoBan)
{
    Session *session = ConnectWithClock();
    session->Command("", 0, "/quit banned from my own keyboard");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("QUIT :banned from my own keyboard"));
    m_server.SendLine("ERROR :Closing link: (brimo@127.0.0.1) [Quit: banned from my own keyboard]");
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));

    FakeConversationView *view = ServerView(session);
    const std::string goodbye = "Closing link: (brimo@127.0.0.1) [Quit: banned from my own keyboard]";
    ASSERT_TRUE(view->HasLine(goodbye));
    for (const auto &line : view->Lines()) {
        if (line.text == goodbye) {
            EXPECT_EQ(line.textClass, static_cast<int>(TextClass::Info));
        }
    }
    EXPECT_FALSE(view->HasLineContaining("* Server nás odmietol"));
    EXPECT_FALSE(view->HasLineContaining("* Chyba pri pripájaní"));
    EXPECT_FALSE(session->IsRefusedForGood());

    // The same words from a server that was not asked to close still count.
    m_nowMs += 3600 * 1000;
    session->Command("", 0, "/timer 0");
    ASSERT_TRUE(m_server.WaitForClient(2));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
    m_server.SendLine(":irc.test 001 brimo :Welcome");
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnecting(); }));
    m_server.SendLine(":irc.test ERROR :Closing link: (brimo@127.0.0.1) [You are banned]");
    ASSERT_TRUE(WaitFor([&] { return session->IsRefusedForGood(); }));
    EXPECT_TRUE(view->HasLineContaining("* Server nás odmietol"));
}

} // namespace
