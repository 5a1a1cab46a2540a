// Registration with capability negotiation, against a scripted server that
// says exactly what a test needs, and what the tags of a line change.
#include <gtest/gtest.h>

#include "../session/SessionFixture.h"
#include "conversation/NickList.h"

namespace {

using CapabilityNegotiation = SessionFixture;

TEST_F(CapabilityNegotiation, AskedFirstAndEndedAfterTheAnswer)
{
    Session *session = ConnectSession();
    EXPECT_EQ(m_server.Lines().front(), "CAP LS 302");
    EXPECT_TRUE(session->Caps().IsNegotiating());

    // A long offer in two lines, with capabilities nobody knows and a huge value.
    std::string junk;
    for (int i = 0; i < 300; ++i)
        junk += "vendor.example/c" + std::to_string(i) + " ";
    m_server.SendLine(":irc.test CAP * LS * :multi-prefix " + junk + "sasl=" + std::string(3000, 'X'));
    m_server.SendLine(":irc.test CAP * LS :server-time away-notify draft/other");
    std::string request;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP REQ", 10000, &request));
    EXPECT_EQ(request, "CAP REQ :away-notify multi-prefix server-time");
    m_server.SendLine(":irc.test CAP * ACK :away-notify multi-prefix server-time");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP END"));
    EXPECT_FALSE(session->Caps().IsNegotiating());
    EXPECT_TRUE(session->Caps().IsEnabled("server-time"));
    EXPECT_TRUE(WaitForServerLine(session, "* Rozšírenia servera: away-notify multi-prefix server-time"));

    // Added and withdrawn later (cap-notify).
    m_server.SendLine(":irc.test CAP me NEW :echo-message");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP REQ", 10000, &request));
    EXPECT_EQ(request, "CAP REQ :echo-message");
    m_server.SendLine(":irc.test CAP me ACK echo-message");
    ASSERT_TRUE(WaitFor([&] { return session->Caps().IsEnabled("echo-message"); }));
    m_server.SendLine(":irc.test CAP me DEL :echo-message");
    ASSERT_TRUE(WaitFor([&] { return !session->Caps().IsEnabled("echo-message"); }));
}

TEST_F(CapabilityNegotiation, RefusalsAndServersWithoutCapabilitiesStillRegister)
{
    Session *session = ConnectSession();
    m_server.SendLine(":irc.test CAP * LS :server-time");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP REQ"));
    m_server.SendLine(":irc.test CAP * NAK :server-time");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP END"));
    EXPECT_FALSE(session->Caps().IsEnabled("server-time"));

    // A server that knows no CAP: its complaint is not shown, the welcome registers.
    Session *plain = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
    ASSERT_TRUE(m_server.WaitForClient(2));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
    m_server.SendLine(":irc.test 421 brimo CAP :Unknown command");
    m_server.SendLine(":irc.test 001 brimo :Welcome");
    ASSERT_TRUE(WaitFor([&] { return !plain->IsConnecting(); }));
    EXPECT_FALSE(plain->Caps().IsNegotiating());
    EXPECT_FALSE(ServerView(plain)->HasLineContaining("Unknown command"));
}

TEST_F(CapabilityNegotiation, TaggedLinesAreDispatchedByWhatFollowsAndKeepTheServersTime)
{
    Session *session = ConnectSession();
    m_server.SendLine(":irc.test CAP * LS :server-time message-tags multi-prefix echo-message");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP REQ"));
    m_server.SendLine(":irc.test CAP * ACK :server-time message-tags multi-prefix echo-message");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP END"));
    m_server.SendLine(":irc.test 001 brimo :Welcome");
    m_server.SendLine(":brimo!u@h JOIN #c");
    m_server.SendLine(":irc.test 353 brimo = #c :@+ann +bob brimo");
    ASSERT_TRUE(WaitFor([&] { return m_shell->View("#c") && session->FindWindow("#c")->Nicks().NickCount() == 3; }));
    const NickList &nicks = session->FindWindow("#c")->Nicks();
    int index = -1;
    ASSERT_TRUE(nicks.FindNick("ann", &index));
    EXPECT_EQ(nicks.EntryAt(index).nick, "@ann");
    EXPECT_EQ(nicks.EntryAt(index).statuses, "@+");

    // History played back by a bouncer: the server's time, not ours.
    m_server.SendLine("@time=2020-01-01T00:00:00.000Z;msgid=x\\s1;bad=\\ :ann!a@h PRIVMSG #c :from history");
    m_server.SendLine("@" + std::string(8000, 't') + " :ann!a@h PRIVMSG #c :after big tags");
    FakeConversationView *channel = m_shell->View("#c");
    ASSERT_TRUE(WaitFor([&] { return channel->HasLineContaining("after big tags"); }));
    bool dated = false;
    for (const FakeConversationView::Line &line : channel->Lines()) {
        if (line.text.find("from history") != std::string::npos)
            dated = line.time == 1577836800;
        if (line.text.find("after big tags") != std::string::npos) {
            EXPECT_EQ(line.time, 0);
        }
    }
    EXPECT_TRUE(dated);

    // echo-message: our message is shown once, when the server relays it.
    session->Command("#c", 2, "/msg #c own words");
    std::string sent;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG #c", 10000, &sent));
    EXPECT_EQ(sent, "PRIVMSG #c :own words");
    EXPECT_FALSE(channel->HasLineContaining("own words"));
    m_server.SendLine("@time=2026-12-07T11:59:27.382Z :brimo!u@h PRIVMSG #c :own words");
    m_server.SendLine(":brimo!u@h PRIVMSG ann :\x01VERSION\x01");
    m_server.SendLine("PING :done");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("PONG"));
    int shown = 0;
    for (const FakeConversationView::Line &line : channel->Lines())
        shown += line.text.find("own words") != std::string::npos ? 1 : 0;
    EXPECT_EQ(shown, 1);
    // Our own CTCP request relayed back is not answered.
    for (const std::string &line : m_server.Lines())
        EXPECT_NE(line.rfind("NOTICE brimo", 0), 0u) << line;
}

} // namespace
