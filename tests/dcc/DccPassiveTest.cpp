// Passive DCC: an offer with port 0 and a token asks the other side to
// listen, and the answer carries its address, port and the token back.
#include <gtest/gtest.h>

#include <QPointer>

#include "DccFixture.h"
#include "DccPeer.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "session/DccOffer.h"
#include "session/Session.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

using DccPassive = DccFixture;

// The clickable command of the newest offer line in the server window.
std::string AcceptingCommandShown(const FakeConversationView &view)
{
    const std::string marker = "id='";
    for (auto it = view.Lines().rbegin(); it != view.Lines().rend(); ++it) {
        const size_t start = it->text.find(marker);
        if (start != std::string::npos)
            return it->text.substr(start + marker.size(), it->text.find('\'', start + marker.size()) - start - marker.size());
    }
    return {};
}

TEST_F(DccPassive, APassiveFileOfferIsAnsweredByListening)
{
    const std::string bytes = RandomBytes(70000);
    OfferFromBob("DCC SEND \"in file.bin\" 2130706433 0 70000 4711");
    ASSERT_TRUE(WaitFor([&] { return !AcceptingCommandShown(*ServerView()).empty(); }));
    const std::string accept = AcceptingCommandShown(*ServerView());
    EXPECT_EQ(accept, "/dcc send passive bob 4711 70000 in_file.bin");
    EXPECT_TRUE(ServerView()->HasLineContaining(Strings::Format(Str::DccPassiveWhere, "127.0.0.1")));

    const std::string path = TempPath("passive.bin");
    m_shell.m_fileDialogAnswer = path;
    EXPECT_EQ(Dcc(accept), 1);
    const TransferEnd &end = EndOf(Newest());
    // Our answer: where we listen, the size and the token.
    const std::string answer = NextOfferToBob();
    EXPECT_EQ(GetWord(answer, 3) + " " + GetWord(answer, 4), "in_file.bin 2130706433");
    EXPECT_EQ(GetWord(answer, 6) + " " + GetWord(answer, 7), "70000 4711");
    DccPeer peer;
    ASSERT_TRUE(peer.Connect(OfferPort(answer)));
    peer.Send(bytes);
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsDone());
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_TRUE(peer.WaitForDisconnect());
    EXPECT_EQ(peer.LastAcknowledgement(), 70000u);
}

TEST_F(DccPassive, APassiveChatOfferIsAnsweredByListening)
{
    OfferFromBob("DCC CHAT chat 2130706433 0 99");
    ASSERT_TRUE(WaitFor([&] { return !AcceptingCommandShown(*ServerView()).empty(); }));
    EXPECT_EQ(Dcc(AcceptingCommandShown(*ServerView())), 1);
    const std::string answer = NextOfferToBob();
    EXPECT_EQ(GetWord(answer, 1) + " " + GetWord(answer, 2) + " " + GetWord(answer, 6), "DCC CHAT 99");
    DccPeer peer;
    ASSERT_TRUE(peer.Connect(OfferPort(answer)));
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    peer.Send("ahoj\r\n");
    ASSERT_TRUE(WaitForLine("*bob", "bob: ahoj"));
}

TEST_F(DccPassive, OurPassiveSendConnectsToWhereThePeerListens)
{
    const std::string bytes = RandomBytes(120000);
    const std::string path = TempPath("out.bin");
    ASSERT_TRUE(WriteFile(path, bytes));
    Conversation *server = m_me->ServerWindow();
    ASSERT_NE(server, nullptr);
    DirectConnect::Params params;
    params.peer = "bob";
    params.mode = DirectConnect::FileSend;
    params.path = path;
    params.passive = true;
    const TransferEnd &end = EndOf(m_dcc->Open(*server, params));

    const std::string offer = NextOfferToBob();
    EXPECT_EQ(GetWord(offer, 5), "0");
    const std::string token = GetWord(offer, 7);
    ASSERT_FALSE(token.empty()) << offer;
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccPassiveOffered, "bob")));

    DccPeer peer;
    peer.SetAcknowledging(true);
    ASSERT_TRUE(peer.Listen());
    // An answer with another token is an offer of its own, not this one's.
    OfferFromBob("DCC SEND out.bin 2130706433 " + std::to_string(peer.Port()) + " 120000 x" + token);
    OfferFromBob("DCC SEND out.bin 2130706433 " + std::to_string(peer.Port()) + " 120000 " + token);
    ASSERT_TRUE(peer.WaitForConnection());
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsDone());
    EXPECT_EQ(peer.Received(), bytes);
}

TEST_F(DccPassive, OurPassiveChatConnectsToWhereThePeerListens)
{
    Conversation *chat = m_me->OpenWindow("*bob", Conversation::KindText, Conversation::TypePrivate);
    ASSERT_NE(chat, nullptr);
    DirectConnect::Params params;
    params.peer = "bob";
    params.mode = DirectConnect::ChatOffer;
    params.passive = true;
    DirectConnect *connection = m_dcc->Open(*chat, params);
    const std::string offer = NextOfferToBob();
    EXPECT_EQ(GetWord(offer, 5), "0");
    DccPeer peer;
    ASSERT_TRUE(peer.Listen());
    OfferFromBob("DCC CHAT chat 2130706433 " + std::to_string(peer.Port()) + " " + GetWord(offer, 6));
    ASSERT_TRUE(peer.WaitForConnection());
    ASSERT_TRUE(WaitForLine("*bob", Strings::Get(Str::DccConnected)));
    EXPECT_TRUE(m_dcc->SendChat(*connection, "nazdar"));
    ASSERT_TRUE(WaitFor([&] { return peer.Received() == "nazdar\r\n"; })) << peer.Received();
}

} // namespace

namespace {

using DccOwnAddress = DccFixture;

TEST_F(DccOwnAddress, IsLearnedFromTheServerAndLookedUpWhenAName)
{
    // ngircd's welcome ends with our address as it sees it.
    EXPECT_EQ(m_me->NetworkAddress(), "127.0.0.1");
    m_me->DispatchServerLine(":irc.brimo.test 396 me localhost :is now your displayed host");
    ASSERT_TRUE(WaitFor([&] { return m_me->NetworkAddress() == "127.0.0.1"; }));
    m_me->DispatchServerLine(":irc.brimo.test 302 me :me=+~me@192.0.2.44");
    EXPECT_EQ(m_me->NetworkAddress(), "192.0.2.44");
    // Another nick's reply teaches nothing; a cloak is no address.
    m_me->DispatchServerLine(":irc.brimo.test 302 me :bob=+~bob@198.51.100.1");
    EXPECT_EQ(m_me->NetworkAddress(), "192.0.2.44");
    m_me->DispatchServerLine(":irc.brimo.test 396 me user/me :is now your displayed host");
    EXPECT_EQ(m_me->NetworkAddress(), "");
    // Our offers then fall back to the local address of the server connection.
    Dcc("/dcc chat connect bob");
    EXPECT_EQ(GetWord(NextOfferToBob(), 4), "2130706433");
}

TEST_F(DccOwnAddress, TheSettingsOverrideTheAddressAndGiveThePorts)
{
    WriteString(kBaseSection, "DCC Address", "192.0.2.9");
    WriteString(kBaseSection, "DCC Ports", "40100-40110");
    Dcc("/dcc chat connect bob");
    const std::string offer = NextOfferToBob();
    EXPECT_EQ(GetWord(offer, 4), std::to_string(DccOffer::AddressNumber("192.0.2.9")));
    EXPECT_GE(OfferPort(offer), 40100);
    EXPECT_LE(OfferPort(offer), 40110);
    // It still listens where the server connection leaves from.
    ASSERT_NE(Newest(), nullptr);
    EXPECT_EQ(Newest()->ListenAddress(), "127.0.0.1");
}

} // namespace
