// The capabilities against a real InspIRCd 3 on 127.0.0.1, each checked with
// a second user on a raw connection.
#include <gtest/gtest.h>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/InspircdFixture.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

namespace {

class Inspircd : public InspircdFixture
{
protected:
    Session *ConnectAs(const std::string &nick)
    {
        WriteString(kBaseSection, "Nick", nick);
        Session *session = m_table->CreateSession("127.0.0.1", m_ircd->Port(), "");
        EXPECT_TRUE(WaitFor([&] { return session->IsConnected() && !session->IsConnecting(); }, kRegisterMs))
            << m_ircd->Output();
        return session;
    }

    const NickEntry *Member(Session *session, const std::string &channel, const std::string &nick) const
    {
        Conversation *window = session->FindWindow(channel);
        int index = -1;
        if (!window || !window->Nicks().FindNick(nick, &index))
            return nullptr;
        return &window->Nicks().EntryAt(index);
    }
};

TEST_F(Inspircd, EveryWantedCapabilityIsAgreedAndEachOneWorks)
{
    RawIrcClient bob;
    ASSERT_TRUE(bob.ConnectAndRegister(m_ircd->Port(), "bob", kRegisterMs));
    bob.SendLine("JOIN #t");
    bob.SendLine("MODE #t +v bob");
    ASSERT_TRUE(bob.WaitForText("MODE #t +v"));

    Session *session = ConnectAs("brimo");
    for (const char *name : {"account-notify", "away-notify", "cap-notify", "chghost", "echo-message", "extended-join",
                             "message-tags", "multi-prefix", "server-time"})
        EXPECT_TRUE(session->Caps().IsEnabled(name)) << name;
    FakeConversationView *server = m_shell.View(session->Key());
    EXPECT_TRUE(server->HasLineContaining("* Rozšírenia servera: "));

    // multi-prefix: bob keeps both his statuses in the list.
    session->Command("", 0, "/join #t");
    ASSERT_TRUE(WaitFor([&] { return Member(session, "#t", "bob") != nullptr; }));
    EXPECT_EQ(Member(session, "#t", "bob")->statuses, "@+");

    // server-time and message-tags: a tagged message lands as any other.
    bob.SendLine("PRIVMSG #t :hello from bob");
    FakeConversationView *channel = m_shell.View("#t");
    ASSERT_TRUE(WaitFor([&] { return channel->HasLineContaining("hello from bob"); }));
    for (const FakeConversationView::Line &line : channel->Lines()) {
        if (line.text.find("hello from bob") != std::string::npos) {
            EXPECT_GT(line.time, 0);
        }
    }

    // echo-message: our line once, as relayed; bob gets it.
    session->Command("#t", 2, "/msg #t hello from brimo");
    ASSERT_TRUE(bob.WaitForText("PRIVMSG #t :hello from brimo"));
    ASSERT_TRUE(WaitFor([&] { return channel->HasLineContaining("hello from brimo"); }));
    bob.SendLine("PRIVMSG #t :sync");
    ASSERT_TRUE(WaitFor([&] { return channel->HasLineContaining("sync"); }));
    int shown = 0;
    for (const FakeConversationView::Line &line : channel->Lines())
        shown += line.text.find("hello from brimo") != std::string::npos ? 1 : 0;
    EXPECT_EQ(shown, 1);

    // away-notify: the list follows without asking.
    bob.SendLine("AWAY :lunch");
    ASSERT_TRUE(WaitFor([&] { return Member(session, "#t", "bob")->away == "lunch"; }));
    bob.SendLine("AWAY");
    ASSERT_TRUE(WaitFor([&] { return Member(session, "#t", "bob")->away.empty(); }));

    // chghost: an operator gives us another host; no quit and join are shown.
    bob.SendLine(std::string("OPER ") + InspircdServer::kOperName + " " + InspircdServer::kOperPassword);
    ASSERT_TRUE(bob.WaitForCommand("381"));
    const size_t before = session->OwnPrefixLength();
    bob.SendLine("CHGHOST brimo a.much.longer.host.name.test");
    ASSERT_TRUE(WaitFor([&] { return session->OwnPrefixLength() != before; }));
    // The host learned from our join was 127.0.0.1.
    EXPECT_EQ(session->OwnPrefixLength(),
              before - std::string("127.0.0.1").size() + std::string("a.much.longer.host.name.test").size());

    // cap-notify: a capability that goes away and comes back.
    bob.SendLine("UNLOADMODULE m_ircv3_echomessage.so");
    ASSERT_TRUE(WaitFor([&] { return !session->Caps().IsEnabled("echo-message"); }));
    bob.SendLine("LOADMODULE m_ircv3_echomessage.so");
    ASSERT_TRUE(WaitFor([&] { return session->Caps().IsEnabled("echo-message"); }));
}

} // namespace
