// The session's lines through the paced queue, against a scripted server and
// with the session's clock set by the test: registration does not wait, the
// user's lines overtake the program's own, PONG overtakes everything.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "SessionFixture.h"

namespace {

class SessionPacing : public SessionFixture
{
protected:
    size_t IndexOf(const std::string &line) const
    {
        const std::vector<std::string> &lines = m_server.Lines();
        return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
    }
    bool Received(const std::string &line) const { return IndexOf(line) < m_server.Lines().size(); }

    int64_t m_now = 1000000;
};

TEST_F(SessionPacing, TypedLinesGoBeforeAutomaticOnesAndPongGoesAtOnce)
{
    WriteInt(kBaseSection, "Send Interval", 2000);
    WriteString(kBaseSection, "Nick", "Me");
    Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    session->SetClock([this] { return m_now; });
    ASSERT_TRUE(m_server.WaitForClient());
    // CAP LS, USER and NICK went out without waiting, and took three turns.
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
    m_server.SendLine(":srv 001 Me :Welcome");
    ASSERT_TRUE(WaitForServerLine(session, "[ 0001 ] Welcome"));

    for (int i = 1; i <= 4; ++i)
        session->Command("#a", 0, "/msg #a riadok " + std::to_string(i));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG #a :riadok 2"));
    EXPECT_EQ(session->PacedLines(), 2u);

    // Joining a channel makes the session ask for its modes and members by itself.
    m_server.SendLine(":Me!u@h JOIN #c");
    m_server.SendLine(":srv 353 Me = #c :Me bob");
    m_server.SendLine(":srv 366 Me #c :End of NAMES list");
    ASSERT_TRUE(WaitFor([&] { return m_debug.find("Send: WHO #c") != std::string::npos; }));
    const size_t automatic = session->PacedLines() - 2;
    EXPECT_GE(automatic, 1u);
    session->Command("#a", 0, "/msg #a riadok 5");
    m_server.SendLine("PING :abc");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PONG abc"));
    EXPECT_FALSE(Received("PRIVMSG #a :riadok 3"));
    EXPECT_EQ(session->PacedLines(), automatic + 3);

    // Time passes: the waiting lines go, the user's first, a burst at a time.
    m_now += 60000;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG #a :riadok 5"));
    m_now += 60000;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("WHO #c"));
    EXPECT_LT(IndexOf("PONG abc"), IndexOf("PRIVMSG #a :riadok 3"));
    EXPECT_LT(IndexOf("PRIVMSG #a :riadok 3"), IndexOf("PRIVMSG #a :riadok 4"));
    EXPECT_LT(IndexOf("PRIVMSG #a :riadok 4"), IndexOf("PRIVMSG #a :riadok 5"));
    EXPECT_LT(IndexOf("PRIVMSG #a :riadok 5"), IndexOf("WHO #c"));
    EXPECT_EQ(session->PacedLines(), 0u);
}

TEST_F(SessionPacing, ALostConnectionForgetsTheWaitingLinesAndQuitNeverWaits)
{
    WriteString(kBaseSection, "Nick", "Me");
    Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    session->SetClock([this] { return m_now; });
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
    m_server.SendLine(":srv 001 Me :Welcome");
    ASSERT_TRUE(WaitForServerLine(session, "[ 0001 ] Welcome"));
    for (int i = 1; i <= 9; ++i)
        session->Command("#a", 0, "/msg #a riadok " + std::to_string(i));
    ASSERT_TRUE(WaitFor([&] { return session->PacedLines() > 0; }));
    session->Command("#a", 0, "/quit dovi");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("QUIT :dovi"));
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    EXPECT_EQ(session->PacedLines(), 0u);
}

} // namespace
