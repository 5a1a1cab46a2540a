// The dispatch against a real ngircd on 127.0.0.1, with two more raw clients
// that play the other users.
#include <gtest/gtest.h>

#include <regex>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/NgircdFixture.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

namespace {

class NgircdScenario : public NgircdFixture
{
protected:
    void SetUp() override
    {
        NgircdFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_session = ConnectAs("brimo");
        ASSERT_TRUE(Registered(m_session));
        ASSERT_TRUE(m_ann.ConnectAndRegister(m_ircd->Port(), "ann"));
        ASSERT_TRUE(m_bob.ConnectAndRegister(m_ircd->Port(), "bob"));
    }

    // Joins #test and waits until the names are in.
    Conversation *JoinTest()
    {
        m_session->Command(m_session->Key(), 0, "/join #test");
        Conversation *room = nullptr;
        EXPECT_TRUE(WaitFor([&] {
            room = m_session->FindWindow("#test");
            return room && room->Nicks().FindNick("brimo");
        }));
        return room;
    }
    bool Shows(const std::string &window, const std::string &text)
    {
        return WaitFor([&] {
            FakeConversationView *view = m_shell.View(window);
            return view && view->HasLine(text);
        });
    }
    bool ServerShows(const std::string &text) { return Shows(m_session->Key(), text); }
    std::string Dump(const std::string &window) const
    {
        std::string text;
        if (FakeConversationView *view = m_shell.View(window)) {
            for (const auto &line : view->Lines())
                text += line.text + "\n";
        }
        return text;
    }
    static int ModeOf(Conversation *room, const std::string &nick)
    {
        int mode = NickList::NotListed;
        room->Nicks().FindNick(nick, nullptr, &mode);
        return mode;
    }

    Session *m_session = nullptr;
    RawIrcClient m_ann;
    RawIrcClient m_bob;
};

TEST_F(NgircdScenario, MembersComeChangeAndGoInTheNickListAndTheWindow)
{
    Conversation *room = JoinTest();
    ASSERT_NE(room, nullptr);
    EXPECT_TRUE(Shows("#test", "* Si na kanály #test"));
    EXPECT_EQ(ModeOf(room, "brimo"), NickList::Operator); // the creator of the channel

    m_ann.SendLine("JOIN #test");
    m_bob.SendLine("JOIN #test");
    ASSERT_TRUE(Shows("#test", "* Teraz tu je aj ann"));
    ASSERT_TRUE(Shows("#test", "* Teraz tu je aj bob"));
    EXPECT_EQ(room->Nicks().NickCount(), 3);

    // Modes set by us come back from the server and reach the list.
    m_session->Command("#test", 0, "/mode #test +ov ann bob");
    ASSERT_TRUE(WaitFor([&] { return ModeOf(room, "bob") == NickList::Voice; }));
    EXPECT_EQ(ModeOf(room, "ann"), NickList::Operator);
    EXPECT_TRUE(Shows("#test", "* Nový mód +ov od brimo pre ann bob"));

    m_ann.SendLine("TOPIC #test :Vitajte na teste");
    ASSERT_TRUE(Shows("#test", "* ann zvolil novú tému: Vitajte na teste"));
    EXPECT_EQ(room->GetTopic(), "Vitajte na teste");

    m_ann.SendLine("PRIVMSG #test :ahoj vsetci");
    EXPECT_TRUE(Shows("#test", "ann: ahoj vsetci"));
    m_ann.SendLine("PRIVMSG #test :\x01"
                   "ACTION tancuje\x01");
    EXPECT_TRUE(Shows("#test", "* ann: tancuje"));

    // A nick change is followed in the list and in the private window.
    m_session->OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate);
    m_bob.SendLine("NICK robert");
    ASSERT_TRUE(Shows("#test", "* bob je odteraz robert"));
    EXPECT_EQ(ModeOf(room, "robert"), NickList::Voice);
    EXPECT_EQ(ModeOf(room, "bob"), NickList::NotListed);
    ASSERT_NE(m_session->FindWindow("robert"), nullptr);

    m_ann.SendLine("KICK #test robert :von");
    ASSERT_TRUE(Shows("#test", "* ann vykopol robert (von)"));
    EXPECT_EQ(ModeOf(room, "robert"), NickList::NotListed);

    m_bob.SendLine("JOIN #test");
    ASSERT_TRUE(WaitFor([&] { return ModeOf(room, "robert") == NickList::Regular; }));
    m_bob.SendLine("PART #test :odchadzam");
    ASSERT_TRUE(Shows("#test", "* Od teraz tu nieje robert"));
    m_bob.SendLine("JOIN #test");
    ASSERT_TRUE(WaitFor([&] { return ModeOf(room, "robert") == NickList::Regular; }));
    m_bob.SendLine("QUIT :dobru noc");
    // ngircd puts the reasons of quits in quotes.
    ASSERT_TRUE(Shows("#test", "* robert koniec: \"dobru noc\"")) << Dump("#test");
    // The private window was renamed with its partner.
    auto *query = static_cast<FakeConversationView *>(m_session->FindWindow("robert")->View());
    EXPECT_TRUE(query->HasLine("* robert koniec: \"dobru noc\""));
    EXPECT_EQ(ModeOf(room, "robert"), NickList::NotListed);
}

TEST_F(NgircdScenario, BeingKickedEmptiesTheListAndRejoinsAtOnce)
{
    Conversation *room = JoinTest();
    ASSERT_NE(room, nullptr);
    m_ann.SendLine("JOIN #test");
    ASSERT_TRUE(Shows("#test", "* Teraz tu je aj ann"));
    m_session->Command("#test", 0, "/mode #test +o ann");
    ASSERT_TRUE(WaitFor([&] { return ModeOf(room, "ann") == NickList::Operator; }));

    m_ann.SendLine("KICK #test brimo :prec");
    ASSERT_TRUE(Shows("#test", "* ann vykopol brimo (prec)"));
    // Back in at once: our own JOIN again, then the names of the members.
    ASSERT_TRUE(WaitFor([&] { return m_shell.View("#test")->CountLines("* Si na kanály #test") == 2; }));
    ASSERT_TRUE(WaitFor([&] { return room->Nicks().FindNick("brimo") && room->Nicks().FindNick("ann"); }));
    EXPECT_EQ(ModeOf(room, "brimo"), NickList::Regular);
    EXPECT_EQ(ModeOf(room, "ann"), NickList::Operator);
}

TEST_F(NgircdScenario, PrivateTextNoticesAndCtcpAreAnsweredOnTheWire)
{
    m_ann.SendLine("PRIVMSG brimo :ahoj ty");
    EXPECT_TRUE(ServerShows("ann: ahoj ty"));
    m_ann.SendLine("NOTICE brimo :dolezite");
    EXPECT_TRUE(ServerShows("[NOTICE] ann: dolezite"));

    std::string reply;
    m_ann.SendLine("PRIVMSG brimo :\x01VERSION\x01");
    ASSERT_TRUE(m_ann.WaitForText("\x01VERSION Brimo 1.1\x01", 10000, &reply));
    EXPECT_EQ(RawIrcClient::CommandOf(reply), "NOTICE");
    EXPECT_TRUE(ServerShows("Užívateľ ann sa informoval o tvojej verzii klienta"));

    m_ann.SendLine("PRIVMSG brimo :\x01PING 12345 67890\x01");
    ASSERT_TRUE(m_ann.WaitForText("\x01PING 12345 67890\x01", 10000, &reply));
    m_ann.SendLine("PRIVMSG brimo :\x01TIME\x01");
    ASSERT_TRUE(m_ann.WaitForText("\x01TIME ", 10000, &reply));
    const std::string time = reply.substr(reply.find("\x01TIME ") + 6);
    EXPECT_EQ(time.size(), 25u) << reply; // 24 characters and the closing byte

    // Our own requests come back as replies; without WhoisAll they print nothing.
    m_session->RouteWhoisReplies(false, true);
    m_bob.SendLine("NOTICE brimo :\x01VERSION Bob client 3\x01");
    ASSERT_TRUE(WaitFor([&] { return !m_shell.m_popupLines.empty(); }));
    EXPECT_NE(m_shell.m_popupLines.back().find("bob používa klienta Bob client 3"), std::string::npos);
}

TEST_F(NgircdScenario, AReconnectRejoinsTheChannelsThatWereOpen)
{
    ASSERT_NE(JoinTest(), nullptr);
    m_ircd->Stop();
    ASSERT_TRUE(WaitFor([&] { return !m_session->IsConnected(); }));
    ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
    m_session->Command(m_session->Key(), 0, "/timer 1");
    ASSERT_TRUE(WaitFor([&] { return m_shell.View("#test")->CountLines("* Si na kanály #test") == 2; }, 20000))
        << m_ircd->Output();
    EXPECT_TRUE(m_session->FindWindow("#test")->Nicks().FindNick("brimo"));
}

} // namespace
