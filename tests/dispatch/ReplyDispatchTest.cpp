#include <gtest/gtest.h>

#include "DispatchFixture.h"
#include "session/IgnoreList.h"
#include "text/TextClass.h"

namespace {

using ReplyDispatch = DispatchFixture;

constexpr int kError = static_cast<int>(TextClass::Error);

TEST_F(ReplyDispatch, PrefixlessPingNoticeAndError)
{
    EXPECT_EQ(Dispatch("PING :abc"), 1);
    EXPECT_TRUE(Sent("PONG abc"));
    Dispatch("PING :");
    EXPECT_TRUE(Sent("PONG"));
    Dispatch("PING plain");
    EXPECT_TRUE(Sent("PONG plain"));

    WriteBool(kBaseSection, "Show Ping", true);
    Dispatch("PING :abc");
    EXPECT_EQ(LastText(m_session->Key()), "PING? PONG! (abc)");
    Dispatch("PING");
    EXPECT_EQ(LastText(m_session->Key()), "PING? PONG!");

    EXPECT_EQ(Dispatch("NOTICE AUTH :*** Looking up your hostname"), 1);
    EXPECT_EQ(LastText(m_session->Key()), "*** Looking up your hostname");
    EXPECT_EQ(Dispatch("ERROR :Closing Link: too fast"), 1);
    EXPECT_EQ(LastLine(m_session->Key())->text, "Closing Link: too fast");
    EXPECT_EQ(LastLine(m_session->Key())->textClass, kError);
}

// Servers may send any line with their name before it, tags or not.
TEST_F(ReplyDispatch, PingAndErrorWithAPrefixAreTheSameWithout)
{
    EXPECT_EQ(Dispatch(":irc.example PING :x"), 1);
    EXPECT_TRUE(Sent("PONG x"));
    EXPECT_EQ(Dispatch("@time=2024-01-01T00:00:00.000Z :irc.example PING :tagged"), 1);
    EXPECT_TRUE(Sent("PONG tagged"));
    EXPECT_EQ(Dispatch(":irc.example PING irc.example"), 1);
    EXPECT_TRUE(Sent("PONG irc.example"));

    EXPECT_EQ(Dispatch(":irc.example ERROR :Closing Link: too fast"), 1);
    EXPECT_EQ(LastLine(m_session->Key())->text, "Closing Link: too fast");
    EXPECT_EQ(LastLine(m_session->Key())->textClass, kError);
}

TEST_F(ReplyDispatch, UnhandledNumericsShowRawAndOtherWordsAreDropped)
{
    Dispatch(":srv 372 me :- Message of the day");
    EXPECT_EQ(LastText(m_session->Key()), "[ 0372 ] - Message of the day");
    const size_t before = ServerView()->Lines().size();
    EXPECT_EQ(Dispatch(":srv 376 me :End of MOTD"), 1);
    EXPECT_EQ(Dispatch(":srv WALLOPS :nobody handles this"), 0);
    EXPECT_EQ(Dispatch("single"), 0);
    EXPECT_EQ(ServerView()->Lines().size(), before);
    Dispatch(":srv 005 me CHANTYPES=# :are supported");
    EXPECT_EQ(LastText(m_session->Key()), "[ 0005 ] CHANTYPES=# :are supported");
}

TEST_F(ReplyDispatch, WelcomeJoinsFavouritesAndOpenChannelsThenShowsRaw)
{
    // A reconnecting session with a favourite group and two open channels.
    WriteString("Servers", "Net", "127.0.0.1 6667 0");
    Channel("#open");
    Channel("#second");
    m_session->OpenWindow("ann", Conversation::KindText, Conversation::TypePrivate);
    WriteBool(kBaseSection, "InVisible", true);
    EXPECT_EQ(Dispatch(":srv 001 me :Welcome back"), 1);
    EXPECT_EQ(LastText(m_session->Key()), "[ 0001 ] Welcome back");
    // One line for both.
    EXPECT_TRUE(Sent("JOIN #open,#second"));
    EXPECT_TRUE(Sent("MODE me +i"));
    SyncWire();
    EXPECT_EQ(CountSent("JOIN ann"), 0);
    EXPECT_FALSE(m_session->IsConnecting());
}

TEST_F(ReplyDispatch, WelcomeJoinsAutoJoinFavouritesOfItsConfiguration)
{
    // The favourites of the session's configuration name (here the host).
    const std::string group = "Channels Group " + m_session->ConfName();
    WriteString(group, "#auto", "key 1");
    WriteString(group, "#manual", "key 0");
    WriteString("Servers Data", m_session->ConfName(), "me mail@x.sk 0 0 Name");
    WriteBool(kBaseSection, "InVisible", true); // the record says no
    Dispatch(":srv 001 me :Welcome");
    EXPECT_TRUE(Sent("JOIN #auto"));
    SyncWire();
    EXPECT_EQ(CountSent("JOIN #manual"), 0);
    EXPECT_EQ(CountSent("MODE me"), 0);
}

TEST_F(ReplyDispatch, ErrorRepliesInBothFormats)
{
    Channel("#room");
    Dispatch(":srv 404 me #room :Cannot send to channel");
    ASSERT_NE(LastLine("#room"), nullptr);
    EXPECT_EQ(LastLine("#room")->text, "[404] :srv -> me: Cannot send to channel");
    EXPECT_EQ(LastLine("#room")->textClass, kError);

    Dispatch(":srv 401 me nobody :No such nick");
    EXPECT_EQ(LastText(m_session->Key()), "[ 0401 ] me nobody :No such nick");
    Dispatch(":srv 482 me #room :You're not channel operator");
    EXPECT_EQ(LastText("#room"), "* Nie si operátor kanálu");
    Dispatch(":srv 421");
    EXPECT_EQ(LastText(m_session->Key()), "[ 0421 ] ");
}

TEST_F(ReplyDispatch, WhoisRepliesToTheServerWindowOrThePopup)
{
    Dispatch(":srv 311 me ann ~a host.sk * :Ann Novak");
    EXPECT_EQ(LastText(m_session->Key()), "ann používa adresu host.sk, a má celé meno Ann Novak");
    EXPECT_EQ(LastLine(m_session->Key())->textClass, static_cast<int>(TextClass::Text));
    Dispatch(":srv 319 me ann :@#a #b");
    EXPECT_EQ(LastText(m_session->Key()), "ann je na kanáloch @#a #b");
    Dispatch(":srv 312 me ann irc.test :Test server");
    EXPECT_EQ(LastText(m_session->Key()), "ann používa server irc.test :Test server");
    Dispatch(":srv 301 me ann :gone fishing");
    EXPECT_EQ(LastText(m_session->Key()), "ann je neprítomný: gone fishing");
    Dispatch(":srv 317 me ann 42 0 :seconds idle");
    EXPECT_EQ(LastText(m_session->Key()).substr(0, 27), "ann je aktívny 42, a pripo");
    const size_t before = ServerView()->Lines().size();
    EXPECT_EQ(Dispatch(":srv 318 me ann :End of WHOIS"), 1);
    EXPECT_EQ(ServerView()->Lines().size(), before);

    m_session->RouteWhoisReplies(true, false);
    Dispatch(":srv 319 me ann :#<script>");
    EXPECT_EQ(ServerView()->Lines().size(), before);
    ASSERT_EQ(m_shell->m_popupLines.size(), 1u);
    EXPECT_EQ(m_shell->m_popupLines[0].find("<script>"), std::string::npos);
}

// A sheet opened for "ann" takes the replies about "Ann": the server writes
// the nick as the user chose it, not as it was typed.
TEST_F(ReplyDispatch, OpenPropertySheetsTakeWhoisAndCtcpRepliesAboutTheirNick)
{
    m_session->AddPropertySheet("ann");
    const size_t before = ServerView()->Lines().size();
    Dispatch(":srv 311 me Ann ~a host.sk * :Ann Novak");
    Dispatch(":srv 311 me Bob ~b host.sk * :another user, not taken");
    Dispatch(":ANN!a@host.sk NOTICE me :\x01VERSION Other 2.0\x01");
    ASSERT_EQ(m_shell->m_propertyLines.size(), 2u);
    EXPECT_EQ(m_shell->m_propertyLines[0], m_session->Key() + " ann :srv 311 me Ann ~a host.sk * :Ann Novak");
    EXPECT_EQ(m_shell->m_propertyLines[1], m_session->Key() + " ann :ANN!a@host.sk NOTICE me :\x01VERSION Other 2.0\x01");
    EXPECT_EQ(ServerView()->Lines().size(), before + 1); // Bob's line
}

TEST_F(ReplyDispatch, WhoRepliesRefreshModesAndAwayMarks)
{
    Conversation *a = Channel("#a", {"ann", "bob"});
    Conversation *b = Channel("#b", {"ann"});
    EXPECT_EQ(Dispatch(":srv 352 me #a ~x h.sk srv ann G@ :0 Ann"), 1);
    int index = -1, mode = -1;
    ASSERT_TRUE(a->Nicks().FindNick("ann", &index, &mode));
    EXPECT_EQ(mode, NickList::Operator);
    EXPECT_TRUE(a->Nicks().EntryAt(index).IsAway());
    ASSERT_TRUE(b->Nicks().FindNick("ann", &index, &mode));
    EXPECT_EQ(mode, NickList::Regular); // another channel

    Dispatch(":srv 352 me * ~x h.sk srv ann H+ :0 Ann");
    ASSERT_TRUE(b->Nicks().FindNick("ann", &index, &mode));
    EXPECT_EQ(mode, NickList::Voice);
    ASSERT_TRUE(a->Nicks().FindNick("ann", &index));
    EXPECT_FALSE(a->Nicks().EntryAt(index).IsAway());
    EXPECT_FALSE(a->Nicks().FindNick("carl"));
    EXPECT_EQ(Dispatch(":srv 315 me #a :End of WHO list"), 1);

    m_session->RouteWhoisReplies(false, true);
    Dispatch(":srv 352 me #a ~x h.sk srv bob H :0 Bob");
    ASSERT_EQ(m_shell->m_popupLines.size(), 1u);
    EXPECT_NE(m_shell->m_popupLines[0].find("who me: me #a ~x h.sk srv bob H :0 Bob"), std::string::npos);
}

// Every status symbol of the server counts in the flags, with multi-prefix
// all of them, and a '*' (an IRC operator) is none.
TEST_F(ReplyDispatch, WhoFlagsGiveEveryStatus)
{
    Conversation *room = Channel("#a", {"%dan", "eve", "opr"});
    Dispatch(":srv 352 me #a ~x h.sk srv DAN H%+ :0 Dan");
    Dispatch(":srv 352 me #a ~x h.sk srv eve G~ :0 Eve");
    Dispatch(":srv 352 me #a ~x h.sk srv opr H* :0 Opr");
    EXPECT_EQ(room->Nicks().NickCount(), 3);
    int index = -1;
    ASSERT_TRUE(room->Nicks().FindNick("dan", &index));
    EXPECT_EQ(room->Nicks().EntryAt(index).statuses, "%+");
    ASSERT_TRUE(room->Nicks().FindNick("eve", &index));
    EXPECT_EQ(room->Nicks().EntryAt(index).nick, "~eve");
    EXPECT_TRUE(room->Nicks().EntryAt(index).IsAway());
    ASSERT_TRUE(room->Nicks().FindNick("opr", &index));
    EXPECT_EQ(room->Nicks().EntryAt(index).nick, "opr");
}

TEST_F(ReplyDispatch, WhoRepliesRunTheQueuedActions)
{
    Channel("#room", {"@me", "pest"});
    m_session->Command("#room", 0, "/who pest -ban #room");
    ASSERT_TRUE(Sent("WHO pest"));
    Dispatch(":srv 352 me #room ~p bad.host.sk srv pest H :0 Pest");
    EXPECT_TRUE(m_server.WaitForLine([](const std::string &l) {
        return l.rfind("MODE #room +b", 0) == 0 && l.find("bad.host.sk") != std::string::npos;
    }));
    EXPECT_TRUE(m_session->QueuedWhoActions().empty());
}

TEST_F(ReplyDispatch, ChannelListRowsGoToTheSearchWindow)
{
    const std::string key = m_session->Key();
    Dispatch(":srv 321 me Channel :Users  Name");
    EXPECT_EQ(m_shell->m_channelListBegins, std::vector<std::string>{key});
    Dispatch(":srv 322 me #linux 42 :All about it");
    Dispatch(":srv 322 me #-odd 3 :skipped");
    Dispatch(":srv 322 me &local 3 :skipped");
    Dispatch(":srv 322 me #");
    Dispatch(":srv 322 me #huge 99999999999999999999 :saturates");
    Dispatch(":srv 322 me #neg -7 :not a count");
    Dispatch(":srv 323 me :End of LIST");
    EXPECT_EQ(m_shell->m_channelListRows,
              (std::vector<std::string>{key + " #linux 42 All about it", key + " #huge 4294967295 saturates",
                                        key + " #neg 0 not a count"}));
    ASSERT_FALSE(m_shell->m_channelListEnds.empty());
    EXPECT_EQ(m_shell->m_channelListEnds.back(), key);
    EXPECT_EQ(m_session->ChannelList().CurrentState(), ChannelListFeed::State::Idle);
}

TEST_F(ReplyDispatch, AListWithoutItsStartBeginsAtItsFirstRowAndAStoppedListIsDropped)
{
    // A second list without 321: the first row starts it, the others do not.
    Dispatch(":srv 322 me #a 1 :one");
    Dispatch(":srv 322 me #b 2 :two");
    EXPECT_EQ(m_shell->m_channelListBegins.size(), 1u);
    EXPECT_EQ(m_session->ChannelList().CurrentState(), ChannelListFeed::State::Running);

    // Stopped by the user: the window hears the end now, the rest is dropped
    // without starting a new list.
    const size_t endsBefore = m_shell->m_channelListEnds.size();
    m_session->ChannelList().Stop();
    EXPECT_EQ(m_shell->m_channelListEnds.size(), endsBefore + 1);
    Dispatch(":srv 322 me #c 3 :three");
    EXPECT_EQ(m_shell->m_channelListRows.size(), 2u);
    EXPECT_EQ(m_shell->m_channelListBegins.size(), 1u);
    Dispatch(":srv 323 me :End of LIST");

    // The next list is taken again.
    Dispatch(":srv 321 me Channel :Users  Name");
    Dispatch(":srv 322 me #d 4 :four");
    EXPECT_EQ(m_shell->m_channelListBegins.size(), 2u);
    EXPECT_EQ(m_shell->m_channelListRows.back(), m_session->Key() + " #d 4 four");
}

TEST_F(ReplyDispatch, IgnoredHostsLoseLongLinesButNotShortOnes)
{
    Conversation *room = Channel("#room", {"me", "pest"});
    IgnoreList::Add(m_session->Ignores(), "bad.sk", IgnoreList::Everything, 0, 0);
    const size_t before = View("#room")->Lines().size();
    EXPECT_EQ(Dispatch(":pest!p@bad.sk PRIVMSG #room :spam"), 1);
    EXPECT_EQ(Dispatch(":pest!p@bad.sk PART #room :with a reason"), 1);
    EXPECT_EQ(View("#room")->Lines().size(), before);
    EXPECT_TRUE(room->Nicks().FindNick("pest"));
    Dispatch(":pest!p@bad.sk PART #room");
    EXPECT_FALSE(room->Nicks().FindNick("pest"));
}

} // namespace
