#include <gtest/gtest.h>

#include "CommandFixture.h"
#include "text/Strings.h"

#include <ctime>

namespace {

using ConnectionCommands = CommandFixture;

TEST_F(ConnectionCommands, CloseOfAChannelPartsItAndClosesItsWindow)
{
    OpenChannel("#a");
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/close #A", "#a"), 1); }), std::vector<std::string>{"PART #a close"});
    EXPECT_EQ(m_session->FindWindow("#a"), nullptr);
    EXPECT_TRUE(View("#a")->IsClosed());
}

TEST_F(ConnectionCommands, CloseSendsThePartMessageAsAnActionFirst)
{
    ASSERT_TRUE(WriteString(kBaseSection, "Msgs Part", "see you"));
    OpenChannel("#a");
    EXPECT_EQ(Sent([&] { Run("/close #a"); }),
              (std::vector<std::string>{"PRIVMSG #a :\x01"
                                        "ACTION see you\x01",
                                        "PART #a close"}));
}

TEST_F(ConnectionCommands, CloseOfANameWithoutWindowSendsNothingAndPrintsCannotClose)
{
    ASSERT_TRUE(WriteString(kBaseSection, "Msgs Part", "see you"));
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/close Someone"), 1); }), std::vector<std::string>{});
    EXPECT_TRUE(ServerView()->HasLine("* Nedá sa zavrieť: someone"));
    EXPECT_EQ(ServerView()->Lines().back().textClass, static_cast<int>(TextClass::Info));
}

TEST_F(ConnectionCommands, CloseWithoutANameClosesTheWindowItWasTypedIn)
{
    OpenChannel("#a");
    OpenChannel("#b");
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/close", "#a"), 1); }), std::vector<std::string>{"PART #a close"});
    EXPECT_EQ(m_session->FindWindow("#a"), nullptr);
    EXPECT_NE(m_session->FindWindow("#b"), nullptr);
    // as the command pop-up completes it, with a blank after the word
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/close ", "#b"), 1); }), std::vector<std::string>{"PART #b close"});
    EXPECT_EQ(m_session->FindWindow("#b"), nullptr);
    EXPECT_EQ(m_table->FindSession(m_session->Key()), m_session);
}

TEST_F(ConnectionCommands, CloseWithoutANameInTheServerWindowClosesTheWholeSession)
{
    OpenChannel("#a");
    const std::string key = m_session->Key();
    EXPECT_EQ(Run("/close", key), 1);
    EXPECT_EQ(m_table->FindSession(key), nullptr);
    EXPECT_EQ(m_table->Count(), 0u);
    EXPECT_TRUE(m_server.WaitForLineStartingWith("QUIT"));
    m_session = nullptr;
}

TEST_F(ConnectionCommands, CloseOfAnotherSessionByItsDisplayName)
{
    Session *other = m_table->CreateSession("127.0.0.1", m_server.Port(), "Elsewhere");
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(m_table->Count(), 2u);
    EXPECT_EQ(Run("/close elsewhere"), 1);
    EXPECT_EQ(m_table->Count(), 1u);
    EXPECT_EQ(m_table->FindSession(m_session->Key()), m_session);
}

// A private window whose nick is the name of a session (this one's or
// another's) closes as a window; the connections stay.
TEST_F(ConnectionCommands, CloseOfAPrivateWindowNamedLikeASessionClosesOnlyTheWindow)
{
    Session *other = m_table->CreateSession("127.0.0.1", m_server.Port(), "Rizon");
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(m_table->Count(), 2u);
    for (const std::string &name : {std::string("rizon"), m_session->HumanName()}) {
        Conversation *query = m_session->OpenWindow(name, Conversation::KindText, Conversation::TypePrivate);
        ASSERT_NE(query, nullptr) << name;
        EXPECT_EQ(Run("/close", query->Name()), 1) << name;
        ASSERT_EQ(m_table->Count(), 2u) << name;
        EXPECT_EQ(m_session->FindWindow(name), nullptr) << name;
    }
    m_session->OpenWindow("Rizon", Conversation::KindText, Conversation::TypePrivate);
    EXPECT_EQ(Run("/close RIZON"), 1);
    EXPECT_EQ(m_session->FindWindow("rizon"), nullptr);
    EXPECT_EQ(m_table->Count(), 2u);
    EXPECT_EQ(m_table->FindSession("Rizon"), other);

    // Without such a window the name still names the session.
    EXPECT_EQ(Run("/close rizon"), 1);
    EXPECT_EQ(m_table->Count(), 1u);
    EXPECT_EQ(m_table->FindSession(m_session->Key()), m_session);
}

TEST_F(ConnectionCommands, ServerAndConnectOpenANewSessionEachTime)
{
    EXPECT_EQ(Run("/server 127.0.0.1 " + std::to_string(m_server.Port())), 1);
    EXPECT_TRUE(m_server.WaitForClient(2));
    EXPECT_EQ(Run("/connect 127.0.0.1 " + std::to_string(m_server.Port()) + "xyz"), 1);
    EXPECT_TRUE(m_server.WaitForClient(3));
    EXPECT_EQ(m_table->Count(), 3u);

    EXPECT_EQ(Run("/connect"), 1);
    bool defaultFound = false;
    for (Session *session : m_table->Sessions())
        defaultFound = defaultFound || (session->Host() == "127.0.0.1" && session->Port() == 6667);
    EXPECT_TRUE(defaultFound);
    EXPECT_FALSE(ServerView()->HasLineContaining("neexistuje"));
}

TEST_F(ConnectionCommands, ServerWithAPortOutOfRangeOpensNothing)
{
    for (const std::string port : {"0", "65536", "99999999999999999999", "abc"}) {
        SCOPED_TRACE(port);
        EXPECT_EQ(Run("/server 127.0.0.1 " + port), 0);
        EXPECT_EQ(m_table->Count(), 1u);
        EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::BadPort, port.c_str())));
        EXPECT_EQ(ServerView()->Lines().back().text, "* Nesprávne použitý príkaz /server , použi: /help");
    }
}

TEST_F(ConnectionCommands, ReguserSendsTheRegistrationAgain)
{
    ASSERT_TRUE(WriteString(kBaseSection, "Nick", "again"));
    const std::vector<std::string> sent = Sent([&] { EXPECT_EQ(Run("/reguser"), 1); });
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].rfind("USER again ", 0), 0u);
    EXPECT_EQ(sent[1], "NICK again");
}

TEST_F(ConnectionCommands, TimerReconnectsALostConnection)
{
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !m_session->IsConnected() && !m_session->IsConnecting(); }));
    EXPECT_EQ(Run("/timer 0"), 1);
    EXPECT_TRUE(ServerView()->HasLine("* Pokúšam sa o znovupripojenie"));
    EXPECT_TRUE(m_server.WaitForClient(2));
}

TEST_F(ConnectionCommands, TimerLiftsTheBansWhoseDurationIsOver)
{
    Conversation *room = OpenChannel("#room");
    const int64_t now = std::time(nullptr);
    room->Channel().AddBan("*!*@over.sk", "me", now - 3600);   // an hour ago, for 30 minutes
    room->Channel().AddBan("*!*@running.sk", "me", now - 60);  // a minute ago, for 30 minutes
    room->Channel().AddBan("*!*@always.sk", "me", now - 7200); // no duration
    ASSERT_TRUE(room->Channel().SetBanDuration("*!*@over.sk", 30));
    ASSERT_TRUE(room->Channel().SetBanDuration("*!*@running.sk", 30));

    const std::vector<std::string> sent = Sent([&] { EXPECT_EQ(Run("/timer 0"), 1); });
    EXPECT_EQ(sent, std::vector<std::string>{"MODE #room -b *!*@over.sk"});
    ASSERT_EQ(room->Channel().BanList().size(), 2u);
    EXPECT_EQ(room->Channel().BanList()[0].mask, "*!*@running.sk");
    EXPECT_EQ(room->Channel().BanList()[1].mask, "*!*@always.sk");
    // Lifted once: the next tick sends nothing more.
    EXPECT_TRUE(Sent([&] { Run("/timer 0"); }).empty());
}

} // namespace
