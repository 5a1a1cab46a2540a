#include <gtest/gtest.h>

#include <QPointer>

#include <algorithm>

#include "DccFixture.h"
#include "DccPeer.h"
#include "config/Config.h"
#include "conversation/Question.h"
#include "session/RequestAnswer.h"
#include "session/Session.h"
#include "support/WaitFor.h"
#include "dcc/ChatLines.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace {

using DccChat = DccFixture;

TEST_F(DccChat, AnOfferListensOnTheServerConnectionsAddressAndAcceptsOnePeer)
{
    EXPECT_EQ(Dcc("/dcc chat connect bob"), 1);
    const std::string offer = NextOfferToBob();
    // 127.0.0.1, the local address of the connection to the server, as one number.
    EXPECT_EQ(GetWord(offer, 1) + " " + GetWord(offer, 2) + " " + GetWord(offer, 3) + " " + GetWord(offer, 4),
              "DCC CHAT chat 2130706433");
    DirectConnect *chat = Newest();
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(chat->ListenAddress(), "127.0.0.1");
    EXPECT_EQ(chat->ListenPort(), OfferPort(offer));
    ASSERT_NE(ViewOf("*bob"), nullptr);
    EXPECT_TRUE(ViewOf("*bob")->HasLine(Strings::Format(Str::DccConnecting, "bob")));

    DccPeer peer;
    ASSERT_TRUE(peer.Connect(OfferPort(offer)));
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    EXPECT_FALSE(chat->IsListening());
    DccPeer intruder;
    EXPECT_FALSE(intruder.Connect(OfferPort(offer)));

    // Lines are cut at LF whatever the blocks; CR goes.
    peer.Send("hello\r\nwor");
    ASSERT_TRUE(WaitFor([&] { return chat->IsConnected(); }));
    peer.Send("ld\nlast words");
    ASSERT_TRUE(WaitForLine("*bob", "bob: world"));
    EXPECT_TRUE(ViewOf("*bob")->HasLine("bob: hello"));

    EXPECT_TRUE(m_dcc->SendChat(*chat, "hi there\r\nPRIVMSG x :hidden"));
    ASSERT_TRUE(WaitFor([&] { return peer.Received() == "hi there\r\n"; })) << peer.Received();

    peer.Close();
    ASSERT_TRUE(WaitForLine("*bob", Strings::Format(Str::DccClosed, "bob")));
    EXPECT_TRUE(ViewOf("*bob")->HasLine("bob: last words"));
    EXPECT_FALSE(m_dcc->SendChat(*chat, "too late"));
    EXPECT_TRUE(ViewOf("*bob")->HasLine(Strings::Get(Str::DccChatEnded)));
    EXPECT_FALSE(ViewOf("*bob")->HasLineContaining("too late"));
    EXPECT_TRUE(chat->End().IsDone());
}

TEST_F(DccChat, ASecondOfferToTheSameNickShutsTheFirstDownSilently)
{
    Dcc("/dcc chat connect bob");
    NextOfferToBob();
    QPointer<DirectConnect> firstChat = Newest();
    Dcc("/dcc chat connect BOB");
    const uint16_t second = OfferPort(NextOfferToBob());
    EXPECT_TRUE(firstChat.isNull() || firstChat->IsClosed());
    ASSERT_EQ(m_dcc->Connections().size(), 1u);
    EXPECT_EQ(m_dcc->Connections()[0]->Owner()->DccChat(), m_dcc->Connections()[0]);

    DccPeer peer;
    ASSERT_TRUE(peer.Connect(second));
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    EXPECT_EQ(ViewOf("*bob")->CountLines(Strings::Get(Str::DccConnected)), 1);
    EXPECT_FALSE(ViewOf("*bob")->HasLineContaining("Chyba"));
    EXPECT_FALSE(ViewOf("*bob")->HasLine(Strings::Format(Str::DccClosed, "bob")));
}

// bob's client lost its side of the chat and offers again: accepting the new
// offer ends the chat still open in bob's window with a line that says so.
TEST_F(DccChat, ASecondOfferAcceptedFromTheSameNickEndsTheOpenChatVisibly)
{
    DccPeer first, second;
    ASSERT_TRUE(first.Listen());
    ASSERT_TRUE(second.Listen());
    OfferFromBob("DCC CHAT chat 2130706433 " + std::to_string(first.Port()));
    ASSERT_TRUE(WaitFor([&] { return m_shell.m_dccOffers.size() == 1; }));
    EXPECT_EQ(Dcc("/dcc chat connect 127.0.0.1 " + std::to_string(first.Port())), 1);
    ASSERT_TRUE(first.WaitForConnection());
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    QPointer<DirectConnect> firstChat = Newest();
    ASSERT_TRUE(WaitFor([&] { return firstChat && firstChat->IsConnected(); }));

    OfferFromBob("DCC CHAT chat 2130706433 " + std::to_string(second.Port()));
    ASSERT_TRUE(WaitFor([&] { return m_shell.m_dccOffers.size() == 2; }));
    EXPECT_EQ(Dcc("/dcc chat connect 127.0.0.1 " + std::to_string(second.Port())), 1);
    ASSERT_TRUE(second.WaitForConnection());

    FakeConversationView *window = ViewOf("*bob");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->HasLine(Strings::Format(Str::DccChatReplaced, "bob")));
    EXPECT_TRUE(window->HasLine(Strings::Format(Str::DccClosed, "bob")));
    EXPECT_TRUE(first.WaitForDisconnect());
    ASSERT_TRUE(WaitFor([&] { return window->CountLines(Strings::Get(Str::DccConnected)) == 2; }));
    // The window's text goes to the new chat only.
    second.Send("again\n");
    ASSERT_TRUE(WaitForLine("*bob", "bob: again"));
    DirectConnect *chat = Newest();
    ASSERT_NE(chat, nullptr);
    EXPECT_EQ(m_me->FindWindow("*bob")->DccChat(), chat);
    EXPECT_TRUE(m_dcc->SendChat(*chat, "hello"));
    ASSERT_TRUE(WaitFor([&] { return second.Received() == "hello\r\n"; })) << second.Received();
    EXPECT_EQ(first.Received(), "");
}

TEST_F(DccChat, AnUnansweredOfferExpires)
{
    m_dcc->SetOfferTimeout(300);
    Dcc("/dcc chat connect bob");
    const uint16_t port = OfferPort(NextOfferToBob());
    ASSERT_TRUE(WaitForLine("*bob", Strings::Format(Str::DccOfferExpired, "bob")));
    DccPeer late;
    EXPECT_FALSE(late.Connect(port));
}

TEST_F(DccChat, ClosingTheChatWindowClosesTheConnection)
{
    Dcc("/dcc chat connect bob");
    DccPeer peer;
    ASSERT_TRUE(peer.Connect(OfferPort(NextOfferToBob())));
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    WriteString(kBaseSection, "Msgs Part", "dovi");
    EXPECT_EQ(m_me->Command("*bob", 0, "/close"), 1);
    EXPECT_EQ(ViewOf("*bob")->IsClosed() || !m_me->FindWindow("*bob"), true);
    EXPECT_TRUE(peer.WaitForDisconnect());
    EXPECT_TRUE(WaitFor([&] { return m_dcc->Connections().empty(); }));
    // No part message went to "*bob" through the server.
    EXPECT_EQ(m_debug.find("Send: PRIVMSG *bob"), std::string::npos) << m_debug;
    EXPECT_NE(m_debug.find("Send: PRIVMSG bob :\001DCC CHAT"), std::string::npos) << m_debug;
}

TEST_F(DccChat, AcceptedChatsAreNamedAfterThePeersNickNotItsHost)
{
    RawIrcClient ann;
    ASSERT_TRUE(ann.ConnectAndRegister(m_ircd->Port(), "ann"));
    DccPeer annPeer, bobPeer;
    ASSERT_TRUE(annPeer.Listen());
    ASSERT_TRUE(bobPeer.Listen());
    ann.SendLine("PRIVMSG me :\001DCC CHAT chat 2130706433 " + std::to_string(annPeer.Port()) + "\001");
    OfferFromBob("DCC CHAT chat 2130706433 " + std::to_string(bobPeer.Port()));
    ASSERT_TRUE(WaitFor([&] { return m_shell.m_dccOffers.size() == 2; }));

    // The lines the offers printed carry the accepting commands; both peers are on 127.0.0.1.
    EXPECT_EQ(Dcc("/dcc chat connect 127.0.0.1 " + std::to_string(annPeer.Port())), 1);
    EXPECT_EQ(Dcc("/dcc chat connect 127.0.0.1 " + std::to_string(bobPeer.Port())), 1);
    ASSERT_TRUE(annPeer.WaitForConnection());
    ASSERT_TRUE(bobPeer.WaitForConnection());
    ASSERT_TRUE(WaitForLine("*ann", Strings::Get(Str::DccConnected)));
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    annPeer.Send("from ann\n");
    bobPeer.Send("from bob\n");
    ASSERT_TRUE(WaitForLine("*ann", "ann: from ann"));
    ASSERT_TRUE(WaitForLine("*bob", "bob: from bob"));
    EXPECT_FALSE(ViewOf("*ann")->HasLine("bob: from bob"));
}

TEST_F(DccChat, WithTheDialogAnOfferConnectsOnlyWhenTheQuestionIsAnswered)
{
    WriteBool(kBaseSection, "DCC Dialog", true);
    DccPeer peer;
    ASSERT_TRUE(peer.Listen());
    OfferFromBob("DCC CHAT chat 2130706433 " + std::to_string(peer.Port()));
    ASSERT_TRUE(WaitFor([&] { return m_shell.m_questions.size() == 1; }));
    EXPECT_EQ(m_shell.m_questions[0].kind, 2);
    // The question names where accepting connects; a server on this machine makes no warning.
    const std::string where = "127.0.0.1:" + std::to_string(peer.Port());
    EXPECT_EQ(m_shell.m_questions[0].target, where);
    EXPECT_FALSE(m_shell.m_questions[0].NeedsConfirmation());
    EXPECT_NE(m_shell.m_questions[0].Text().find("(spojenie z " + where + ")"), std::string::npos)
        << m_shell.m_questions[0].Text();
    EXPECT_TRUE(m_dcc->Connections().empty());
    RequestAnswer::AcceptRequest(*m_me, m_shell.m_questions[0]);
    ASSERT_TRUE(peer.WaitForConnection());
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
}

TEST_F(DccChat, AcceptLinesAreCheckedWhenTheyRun)
{
    const char *refused[] = {
        "/dcc chat connect 127.0.0.1 70000",
        "/dcc chat connect 127.0.0.1 0",
        "/dcc chat connect 127.0.0.1 port",
        "/dcc chat connect 127.0.0.1;rm 5000",
        "/dcc send receive 127.0.0.1 99999 12 f",
        "/dcc send receive 127.0.0.1 5000 -12 f",
        "/dcc send receive 127.0.0.1 5000 12 ..",
        "/dcc chat connect 127.0.0.1 5000 extra", // 6 words
        "/dcc send receive 127.0.0.1 5000 12",    // 6 words
        "/dcc chat",
        "/dcc what ever",
    };
    for (const char *line : refused)
        EXPECT_EQ(Dcc(line), 0) << line;
    EXPECT_TRUE(m_dcc->Connections().empty());
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccBadTarget, "127.0.0.1", "70000")));
}

TEST_F(DccChat, AnAnswerAcceptsOnlyOneOffer)
{
    // Offers go to the built-in handling; "/dcc" lines are only recorded.
    m_shell.m_dcc = nullptr;
    WriteBool(kBaseSection, "DCC Dialog", true);
    OfferFromBob("DCC CHAT chat 2130706433 4001");
    OfferFromBob("DCC CHAT chat 2130706433 4002");
    ASSERT_TRUE(WaitFor([&] { return m_me->Requests().size() == 2; }));
    RequestAnswer::AcceptRequest(*m_me, Question::ForRequest(Question::DccChat, "bob!b@127.0.0.1", m_me->Key()));
    std::vector<std::string> ran;
    for (const std::string &command : m_shell.m_dccCommands)
        ran.push_back(command.substr(command.find('|') + 1));
    EXPECT_EQ(ran, std::vector<std::string>{"/dcc chat connect 127.0.0.1 4002"});
    EXPECT_EQ(m_me->Requests().size(), 0u);
}

TEST_F(DccChat, OfferLinesNameTheAddressAndPort)
{
    OfferFromBob("DCC SEND \"x.iso\" 2130706433 5000 734003200");
    OfferFromBob("DCC CHAT chat 2130706433 5001");
    ASSERT_TRUE(WaitForLineContaining(m_me->Key(), "127.0.0.1:5001"));
    const auto &lines = ServerView()->Lines();
    const auto shows = [&](const std::string &part) {
        return std::any_of(lines.begin(), lines.end(), [&](const auto &line) {
            return line.text.find(part) != std::string::npos;
        });
    };
    EXPECT_TRUE(shows("bob ponúka súbor x.iso (" + FormatSize(734003200) + ") z 127.0.0.1:5000"));
    EXPECT_TRUE(shows("spojenie z 127.0.0.1:5001"));
    // The server is on this machine too: no warning.
    const std::string warning = Strings::Format(Str::DccAddressWarning, "127.0.0.1:5000", "x");
    EXPECT_FALSE(shows(warning.substr(0, warning.find("127.0.0.1"))));
}

TEST_F(DccChat, MeSendsAnActionAndAReceivedActionShowsAsOne)
{
    Dcc("/dcc chat connect bob");
    DccPeer peer;
    ASSERT_TRUE(peer.Connect(OfferPort(NextOfferToBob())));
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    DirectConnect *chat = Newest();
    EXPECT_TRUE(m_dcc->SendChat(*chat, "/me máva"));
    EXPECT_TRUE(m_dcc->SendChat(*chat, "ahoj"));
    ASSERT_TRUE(WaitFor([&] { return peer.Received() == "\001ACTION máva\001\r\nahoj\r\n"; })) << peer.Received();
    EXPECT_TRUE(ViewOf("*bob")->HasLine("* me: máva"));
    EXPECT_TRUE(ViewOf("*bob")->HasLine("me: ahoj"));
    peer.Send("\001ACTION sa smeje\001\r\n");
    ASSERT_TRUE(WaitForLine("*bob", "* bob: sa smeje"));
    EXPECT_FALSE(ViewOf("*bob")->HasLineContaining("ACTION"));
}

TEST_F(DccChat, ALineOverTheLimitKeepsItsTailBothWays)
{
    Dcc("/dcc chat connect bob");
    DccPeer peer;
    ASSERT_TRUE(peer.Connect(OfferPort(NextOfferToBob())));
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    // 3000 two-byte letters: 6000 bytes, cut between letters.
    std::string longLine;
    for (int i = 0; i < 3000; ++i)
        longLine += "ž";
    longLine += "KONIEC";
    peer.Send(longLine + "\r\n");
    ASSERT_TRUE(WaitFor([&] { return ViewOf("*bob")->HasLineContaining("KONIEC"); }));
    std::string shown;
    for (const auto &line : ViewOf("*bob")->Lines()) {
        if (line.text.rfind("bob: ", 0) == 0)
            shown += line.text.substr(5);
    }
    EXPECT_EQ(shown, longLine);

    DirectConnect *chat = Newest();
    EXPECT_TRUE(m_dcc->SendChat(*chat, longLine));
    ASSERT_TRUE(WaitFor([&] { return peer.Received().find("KONIEC\r\n") != std::string::npos; }));
    std::string joined = peer.Received();
    EXPECT_EQ(joined.find("\r\n"), ChatLines::MaxLine);
    joined.erase(joined.find("\r\n"), 2);
    EXPECT_EQ(joined, longLine + "\r\n");
}

TEST(ChatLines, CutsLongLinesIntoPiecesAtCharacterBoundaries)
{
    ChatLines lines;
    std::vector<std::string> out;
    const std::string a(ChatLines::MaxLine - 1, 'a');
    // "é" would straddle the limit: the piece ends before it.
    const std::string text = a + "é" + "rest\r\nnext";
    lines.Feed(text.data(), text.size(), out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], a);
    EXPECT_EQ(out[1], "érest");
    EXPECT_EQ(lines.Partial(), "next");
    EXPECT_EQ(ChatLines::Split(""), std::vector<std::string>{""});
    EXPECT_EQ(ChatLines::Split(a + "é"), (std::vector<std::string>{a, "é"}));
}

} // namespace
