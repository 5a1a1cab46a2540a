// A session against a real ngircd on 127.0.0.1.
#include <gtest/gtest.h>

#include <regex>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/NgircdFixture.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

namespace {

class Ngircd : public NgircdFixture
{
protected:
    // Starts a session without waiting for the server's welcome.
    Session *Connect(const std::string &nick)
    {
        WriteString(kBaseSection, "Nick", nick);
        return m_table->CreateSession("127.0.0.1", m_ircd->Port(), "");
    }
};

TEST_F(Ngircd, RegistersFollowsTheWelcomeAndItsOwnNickChanges)
{
    WriteBool(kBaseSection, "Update Nick", true);
    Session *session = Connect("tester");
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd->Output();
    EXPECT_EQ(session->Nick(), "tester");
    EXPECT_TRUE(m_shell.View(session->Key())->HasLineContaining("[ 0001 ]"));

    session->Command(session->Key(), 0, "/nick renamed");
    ASSERT_TRUE(WaitFor([&] { return session->Nick() == "renamed"; }));
    EXPECT_EQ(ReadString(kBaseSection, "Nick"), "renamed");
}

TEST_F(Ngircd, ANickInUseDuringRegistrationEndsRegisteredWithAnotherNick)
{
    RawIrcClient other;
    ASSERT_TRUE(other.ConnectAndRegister(m_ircd->Port(), "taken"));
    Session *session = Connect("taken");
    ASSERT_TRUE(WaitFor([&] { return Registered(session); }));
    EXPECT_TRUE(std::regex_match(session->Nick(), std::regex("taken[1-9]{0,3}"))) << session->Nick();
    EXPECT_NE(session->Nick(), "taken");
    FakeConversationView *server = m_shell.View(session->Key());
    EXPECT_TRUE(server->HasLine("* Prezývka taken sa už používa"));

    // Online a rejected nick only prints.
    const std::string nick = session->Nick();
    session->Command(session->Key(), 0, "/nick taken");
    ASSERT_TRUE(WaitFor([&] { return server->CountLines("* Prezývka taken sa už používa") == 2; }));
    EXPECT_EQ(server->CountLines("* Zadaj: /nick nová prezývka"), 2);
    EXPECT_EQ(session->Nick(), nick);
    EXPECT_EQ(session->RegisteredNick(), "taken");
}

TEST_F(Ngircd, LossPrintsEverywhereAndTheNextTickReconnects)
{
    Session *session = Connect("looser");
    ASSERT_TRUE(WaitFor([&] { return Registered(session); }));
    session->OpenWindow("pal", Conversation::KindText, Conversation::TypePrivate);
    m_ircd->Stop();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    EXPECT_TRUE(m_shell.View(session->Key())->HasLine("* Spojenie prerušené"));
    EXPECT_TRUE(m_shell.View("pal")->HasLine("* Spojenie prerušené"));

    ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
    session->Command("", 0, "/timer 0");
    EXPECT_TRUE(m_shell.View(session->Key())->HasLine("* Pokúšam sa o znovupripojenie"));
    ASSERT_TRUE(WaitFor([&] { return Registered(session); }));
    EXPECT_EQ(session->Nick(), "looser");
}

TEST_F(Ngircd, ClosingTheSessionQuitsBeforeLeavingItsChannels)
{
    WriteString(kBaseSection, "Msgs Quit", "Dovidenia");
    RawIrcClient watcher;
    ASSERT_TRUE(watcher.ConnectAndRegister(m_ircd->Port(), "watcher"));
    watcher.SendLine("JOIN #room");
    ASSERT_TRUE(watcher.WaitForCommand("JOIN"));

    Session *session = Connect("leaver");
    ASSERT_TRUE(WaitFor([&] { return Registered(session); }));
    session->OpenWindow("#room", Conversation::KindChannel, Conversation::TypeChannel);
    session->SendLine("JOIN #room");
    ASSERT_TRUE(watcher.WaitForText("leaver!"));
    EXPECT_TRUE(m_table->CloseSession(session->Key()));
    std::string quit;
    ASSERT_TRUE(watcher.WaitForLine(
        [](const std::string &l) {
            return l.find("leaver!") != std::string::npos
                && (RawIrcClient::CommandOf(l) == "QUIT" || RawIrcClient::CommandOf(l) == "PART");
        },
        10000, &quit));
    EXPECT_EQ(RawIrcClient::CommandOf(quit), "QUIT") << quit;
    EXPECT_NE(quit.find("Dovidenia"), std::string::npos) << quit;
    EXPECT_EQ(m_table->Count(), 0u);
}

TEST_F(Ngircd, AChannelAskedForBeforeTheWelcomeIsJoinedAfterItAndLaterOnesAtOnce)
{
    RawIrcClient watcher;
    ASSERT_TRUE(watcher.ConnectAndRegister(m_ircd->Port(), "watcher"));
    watcher.SendLine("JOIN #link");
    watcher.SendLine("MODE #link +k heslo");
    ASSERT_TRUE(watcher.WaitForCommand("MODE"));

    Session *session = Connect("linker");
    session->JoinWhenWelcomed("#link", "heslo");
    ASSERT_TRUE(watcher.WaitForText("linker!")) << m_ircd->Output();
    EXPECT_TRUE(Registered(session));

    EXPECT_EQ(m_table->FindServerSession("127.0.0.1", m_ircd->Port()), session);
    EXPECT_EQ(m_table->FindServerSession("127.0.0.1", m_ircd->Port() + 1), nullptr);
    // An ircs:// link to the same port wants another, secure connection.
    EXPECT_EQ(m_table->FindServerSession("127.0.0.1", m_ircd->Port(), true), nullptr);
    watcher.SendLine("JOIN #later");
    session->JoinWhenWelcomed("#later");
    ASSERT_TRUE(watcher.WaitForLine([](const std::string &l) {
        return l.find("linker!") != std::string::npos && l.find("JOIN") != std::string::npos
            && l.find("#later") != std::string::npos;
    }));
}

} // namespace
