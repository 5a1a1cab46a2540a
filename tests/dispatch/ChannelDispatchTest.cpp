#include <gtest/gtest.h>

#include "DispatchFixture.h"
#include "support/RecordPrinters.h"
#include "text/TextClass.h"

#include <string>
#include <vector>

namespace {

using ChannelDispatch = DispatchFixture;

std::vector<std::string> Texts(const Conversation &window)
{
    std::vector<std::string> texts;
    for (const NickEntry &entry : window.Nicks())
        texts.push_back(entry.nick);
    return texts;
}

TEST_F(ChannelDispatch, OwnJoinOpensTheChannelClearsItsModesAndGreets)
{
    WriteString(kBaseSection, "Msgs Join", "ahoj vsetci");
    Conversation *earlier = Channel("#room");
    earlier->ApplyModes("+tk", "secret", ":srv MODE #room +tk secret");
    earlier->SetTopic("old topic");

    EXPECT_EQ(Dispatch(":me!u@h JOIN :#Room"), 1);
    Conversation *window = m_session->FindWindow("#room");
    ASSERT_EQ(window, earlier);
    EXPECT_TRUE(window->IsChannel());
    EXPECT_FALSE(window->Channel().HasMode('t'));
    EXPECT_EQ(window->Channel().Key(), "");
    EXPECT_EQ(window->GetTopic(), "");
    EXPECT_TRUE(View("#room")->HasLine("* Si na kanály #room"));
    EXPECT_TRUE(Sent("MODE #room"));
    EXPECT_TRUE(Sent("MODE #room b"));
    EXPECT_TRUE(Sent("PRIVMSG #room :\x01"
                     "ACTION ahoj vsetci\x01"));
}

TEST_F(ChannelDispatch, OwnJoinOfANewChannelOpensItsWindow)
{
    Dispatch(":me!u@h JOIN #new");
    Conversation *window = m_session->FindWindow("#new");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Kind(), Conversation::KindChannel);
    EXPECT_EQ(View("#new")->Lines().at(0).text, "* Si na kanály #new");
    EXPECT_EQ(View("#new")->Lines().at(0).textClass, static_cast<int>(TextClass::Info));
}

TEST_F(ChannelDispatch, OthersJoinIsAddedAndShownAlsoInTheirPrivateWindow)
{
    Conversation *room = Channel("#room", {"me"});
    Conversation *query = m_session->OpenWindow("Ann", Conversation::KindText, Conversation::TypePrivate);
    Dispatch(":Ann!ann@host.sk JOIN :#room");
    EXPECT_TRUE(room->Nicks().FindNick("ann"));
    EXPECT_EQ(LastText("#room"), "* Teraz tu je aj Ann");
    EXPECT_EQ(LastText("Ann"), "* Teraz tu je aj Ann");
    EXPECT_GT(View("#room")->NickListChanges(), 0);

    room->GetToggles().fullAddress = true;
    Dispatch(":Bob!bob@b.sk JOIN #room");
    EXPECT_EQ(LastText("#room"), "* Teraz tu je aj Bob (Bob!bob@b.sk)");
    (void)query;
}

TEST_F(ChannelDispatch, PartRemovesOthers)
{
    Conversation *room = Channel("#room", {"me", "ann"});
    Dispatch(":ann!u@h PART #room :bye");
    EXPECT_FALSE(room->Nicks().FindNick("ann"));
    EXPECT_EQ(LastText("#room"), "* Od teraz tu nieje ann");
    EXPECT_EQ(Dispatch(":ann!u@h PART #nowindow"), 1);
}

// After our own PART the window stays, says so and lists no one; a rejoin
// lists every member once, with the statuses they have now.
TEST_F(ChannelDispatch, OwnPartSaysWeLeftAndARejoinListsEveryMemberOnce)
{
    Conversation *room = Channel("#room", {"@me", "ann", "%dan", "+eve"});
    Dispatch(":ME!u@h PART #room :bye");
    EXPECT_EQ(m_session->FindWindow("#room"), room);
    EXPECT_EQ(LastText("#room"), "* Odišiel si z kanála #room");
    EXPECT_EQ(room->Nicks().NickCount(), 0);
    EXPECT_GT(View("#room")->NickListChanges(), 0);

    Dispatch(":me!u@h JOIN #room");
    Dispatch(":srv 353 me = #room :me @ann dan eve");
    EXPECT_EQ(Texts(*room), (std::vector<std::string>{"@ann", "dan", "eve", "me"}));

    // The same after a kick and the automatic rejoin.
    Dispatch(":ann!u@h KICK #room me :out");
    EXPECT_EQ(room->Nicks().NickCount(), 0);
    EXPECT_TRUE(Sent("JOIN #room"));
    Dispatch(":me!u@h JOIN #room");
    Dispatch(":srv 353 me = #room :me @ann %dan");
    EXPECT_EQ(Texts(*room), (std::vector<std::string>{"@ann", "%dan", "me"}));
}

// Every symbol of PREFIX is a status: "%bob" is bob, a half-operator, and
// every later line about bob finds him.
TEST_F(ChannelDispatch, EveryPrefixSymbolIsAStatusNotPartOfTheNick)
{
    Conversation *room = Channel("#room");
    Dispatch(":srv 353 me = #room :me ~owen &ada %bob %carl %dan @%+multi %eve");
    EXPECT_EQ(Texts(*room),
              (std::vector<std::string>{"~owen", "&ada", "@multi", "%bob", "%carl", "%dan", "%eve", "me"}));
    int index = -1;
    ASSERT_TRUE(room->Nicks().FindNick("multi", &index));
    EXPECT_EQ(room->Nicks().EntryAt(index).statuses, "@%+");

    Dispatch(":bob!u@h QUIT :gone");
    EXPECT_EQ(LastText("#room"), "* bob koniec: gone");
    Dispatch(":carl!u@h PART #room");
    Dispatch(":op!u@h KICK #room dan :out");
    Dispatch(":eve!u@h NICK :eva");
    EXPECT_EQ(Texts(*room), (std::vector<std::string>{"~owen", "&ada", "@multi", "%eva", "me"}));
    Dispatch(":srv 352 me #room ~o h srv owen H~ :0 Owen");
    EXPECT_EQ(room->Nicks().NickCount(), 5);

    // Back again, each is listed once.
    Dispatch(":bob!u@h JOIN #room");
    Dispatch(":carl!u@h JOIN #room");
    EXPECT_EQ(Texts(*room), (std::vector<std::string>{"~owen", "&ada", "@multi", "%eva", "bob", "carl", "me"}));
}

TEST_F(ChannelDispatch, QuitReachesEveryWindowThatListsTheNickOrIsItsQuery)
{
    Conversation *a = Channel("#a", {"@Ann", "me"});
    Conversation *b = Channel("#b", {"me"});
    m_session->OpenWindow("ann", Conversation::KindText, Conversation::TypePrivate);
    Dispatch(":ANN!u@h QUIT :Client closed");
    EXPECT_FALSE(a->Nicks().FindNick("ann"));
    EXPECT_EQ(LastText("#a"), "* ANN koniec: Client closed");
    EXPECT_EQ(LastText("ann"), "* ANN koniec: Client closed");
    EXPECT_TRUE(View("#b")->Lines().empty());
    EXPECT_EQ(b->Nicks().NickCount(), 1);

    a->Nicks().AddNick("carl");
    Dispatch(":carl!u@h QUIT");
    EXPECT_EQ(LastText("#a"), "* carl koniec");
}

TEST_F(ChannelDispatch, KickOfOthersAndOfOurselvesWithImmediateRejoin)
{
    Conversation *room = Channel("#room", {"@op", "me", "ann"});
    EXPECT_EQ(Dispatch(":op!u@h KICK #room ann"), 0);
    EXPECT_FALSE(room->Nicks().FindNick("ann"));
    EXPECT_EQ(LastText("#room"), "* op vykopol ann");

    Dispatch(":op!u@h KICK #room Me :go away");
    EXPECT_EQ(room->Nicks().NickCount(), 0);
    EXPECT_EQ(LastText("#room"), "* op vykopol Me (go away)");
    EXPECT_TRUE(Sent("JOIN #room"));

    EXPECT_EQ(Dispatch(":op!u@h KICK #gone me"), 0);
}

TEST_F(ChannelDispatch, ModeAppliesNickModesInOrderAndAsksWhoForEach)
{
    Conversation *room = Channel("#room", {"me", "a", "b"});
    Dispatch(":op!u@h MODE #room +ov a b");
    int mode = -1;
    EXPECT_TRUE(room->Nicks().FindNick("a", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Operator);
    EXPECT_TRUE(room->Nicks().FindNick("b", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Voice);
    EXPECT_EQ(LastText("#room"), "* Nový mód +ov od op pre a b");
    EXPECT_TRUE(Sent("WHO a"));
    EXPECT_TRUE(Sent("WHO b"));

    Dispatch(":op!u@h MODE #room -o a");
    EXPECT_TRUE(room->Nicks().FindNick("a", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Regular);

    // An operator who is voiced as well keeps the voice when op goes.
    Dispatch(":op!u@h MODE #room +vo b b");
    Dispatch(":op!u@h MODE #room -o b");
    int row = -1;
    EXPECT_TRUE(room->Nicks().FindNick("b", &row, &mode));
    EXPECT_EQ(mode, NickList::Voice);
    EXPECT_EQ(room->Nicks().EntryAt(row).nick, "+b");
}

// The parameters of a MODE line belong to its letters as the server
// counts them; before any 005 the usual CHANMODES and PREFIX hold.
TEST_F(ChannelDispatch, ModeParametersFollowTheServersCount)
{
    Conversation *room = Channel("#room", {"me", "@ann", "bob"});
    Dispatch(":op!u@h MODE #room -o+b ann *!*@h");
    int mode = -1;
    EXPECT_TRUE(room->Nicks().FindNick("ann", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Regular);
    EXPECT_EQ(room->Channel().BanList().size(), 1u);
    EXPECT_EQ(room->Channel().BanList()[0].mask, "*!*@h");

    Dispatch(":op!u@h MODE #room +bb a!*@* b!*@*");
    ASSERT_EQ(room->Channel().BanList().size(), 3u);
    Dispatch(":op!u@h MODE #room -bb a!*@* b!*@*");
    ASSERT_EQ(room->Channel().BanList().size(), 1u);

    Dispatch(":op!u@h MODE #room +ok ann key");
    EXPECT_EQ(room->Channel().Key(), "key");
    EXPECT_TRUE(room->Nicks().FindNick("ann", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Operator);

    Dispatch(":op!u@h MODE #room +qak bob ann other");
    EXPECT_EQ(room->Channel().Key(), "other");
    EXPECT_EQ(Texts(*room), (std::vector<std::string>{"~bob", "&ann", "me"}));
    EXPECT_TRUE(Sent("WHO bob"));

    // A server with list modes of its own: "q" is a quiet list here, "f"
    // always takes a parameter, and the statuses are only o and v.
    EXPECT_EQ(Dispatch(":srv 005 me CHANMODES=beIq,kf,l,imnpst PREFIX=(ov)@+ :are supported"), 1);
    EXPECT_EQ(LastText(m_session->Key()), "[ 0005 ] CHANMODES=beIq,kf,l,imnpst PREFIX=(ov)@+ :are supported");
    Dispatch(":op!u@h MODE #room +qfv quiet!*@* 5:10 me");
    EXPECT_FALSE(room->Nicks().FindNick("quiet!*@*"));
    EXPECT_TRUE(room->Nicks().FindNick("me", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Voice);
    EXPECT_EQ(room->Channel().BanList().size(), 1u);

    // A new connection starts from the defaults again.
    EXPECT_EQ(m_session->Modes().StatusSymbols(), "@+");
    m_session->Command("", 0, "/reconnect");
    ASSERT_TRUE(m_server.WaitForClient(2));
    EXPECT_TRUE(WaitFor([&] { return m_session->Modes().StatusSymbols() == "~&@%+"; }));
}

TEST_F(ChannelDispatch, ModeParametersOfOtherLettersAreNotTakenForNicks)
{
    Conversation *room = Channel("#room", {"me", "ann"});
    Dispatch(":op!u@h MODE #room +klv sesame 20 ann");
    int mode = -1;
    EXPECT_TRUE(room->Nicks().FindNick("ann", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Voice);
    EXPECT_FALSE(room->Nicks().FindNick("sesame"));
    EXPECT_TRUE(room->Channel().HasMode('k'));
    EXPECT_EQ(room->Channel().Key(), "sesame");
    EXPECT_EQ(room->Channel().Limit(), 20);
}

TEST_F(ChannelDispatch, ModeWithoutParametersOrForUsersPrintsOnlyWhatItShould)
{
    Conversation *room = Channel("#room", {"me"});
    Dispatch(":op!u@h MODE #room +ovt");
    EXPECT_EQ(LastText("#room"), "* Nový mód +ovt od op");
    EXPECT_TRUE(room->Channel().HasMode('t'));
    EXPECT_EQ(room->Nicks().NickCount(), 1);

    const size_t before = ServerView()->Lines().size();
    EXPECT_EQ(Dispatch(":me MODE me :+i"), 0);
    EXPECT_EQ(ServerView()->Lines().size(), before);
}

TEST_F(ChannelDispatch, TopicsAndTheirNumerics)
{
    Conversation *room = Channel("#room");
    Dispatch(":ann!u@h TOPIC #room :\x02new\x02 topic");
    EXPECT_EQ(room->GetTopic(), "new topic");
    EXPECT_EQ(LastText("#room"), "* ann zvolil novú tému: \x02new\x02 topic");
    EXPECT_EQ(Dispatch(":ann!u@h TOPIC #nowindow :x"), 1);

    Dispatch(":srv 332 me #room :the topic");
    EXPECT_EQ(room->GetTopic(), "the topic");
    EXPECT_EQ(LastText("#room"), "* Téma je the topic");
    EXPECT_EQ(room->Title(), "#room the topic");

    Dispatch(":srv 333 me #room ann!u@h 0");
    EXPECT_EQ(LastText("#room"), "* Tému zvolil ann ");
    const std::time_t when = 1700000000;
    std::tm local{};
    localtime_r(&when, &local);
    char expected[32];
    std::strftime(expected, sizeof expected, "%d.%m.%Y %H:%M", &local);
    Dispatch(":srv 333 me #room ann!u@h 1700000000");
    EXPECT_EQ(LastText("#room"), std::string("* Tému zvolil ann ") + expected);

    const size_t before = ServerView()->Lines().size();
    EXPECT_EQ(Dispatch(":srv 332 me #nowindow :x"), 1);
    EXPECT_EQ(Dispatch(":srv 333 me #nowindow x 1"), 1);
    EXPECT_EQ(ServerView()->Lines().size(), before);
}

TEST_F(ChannelDispatch, ChannelModesAndTheBanList)
{
    Conversation *room = Channel("#room");
    Dispatch(":srv 324 me #room +ntl 25");
    EXPECT_TRUE(room->Channel().HasMode('n'));
    EXPECT_EQ(room->Channel().Limit(), 25);
    EXPECT_EQ(Dispatch(":srv 329 me #room 1700000000"), 1);

    Dispatch(":srv 367 me #room *!*@bad.sk ann 1700000000");
    Dispatch(":srv 367 me #room *!*@bad.sk ann 1700000000");
    Dispatch(":srv 367 me #room *!*@worse.sk");
    Dispatch(":srv 368 me #room :End of Channel Ban List");
    ASSERT_EQ(room->Channel().BanList().size(), 2u);
    EXPECT_EQ(room->Channel().BanList()[0], (BanEntry{"*!*@bad.sk", "ann", 1700000000, 0}));
    EXPECT_EQ(room->Channel().BanList()[1], (BanEntry{"*!*@worse.sk", "", 0, 0}));
    EXPECT_TRUE(View("#room")->Lines().empty());
}

TEST_F(ChannelDispatch, BanTimesOutsideTheCalendarAreClampedBeforeTheyAreKept)
{
    Conversation *room = Channel("#room");
    Dispatch(":srv 367 me #room *!*@far.sk ann 99999999999999999999999");
    Dispatch(":srv 367 me #room *!*@past.sk ann -5");
    ASSERT_EQ(room->Channel().BanList().size(), 2u);
    EXPECT_EQ(room->Channel().BanList()[0], (BanEntry{"*!*@far.sk", "ann", INT64_C(253402300799), 0}));
    EXPECT_EQ(room->Channel().BanList()[1], (BanEntry{"*!*@past.sk", "ann", 0, 0}));
}

TEST_F(ChannelDispatch, NamesFillTheListAndWhoFollowsOnlyBelowThreeHundred)
{
    Conversation *small = Channel("#small");
    std::string names = ":srv 353 me = #small :@me";
    for (int i = 1; i < 299; ++i)
        names += " n" + std::to_string(i);
    names += "  "; // an empty word is skipped
    EXPECT_EQ(Dispatch(names), 1);
    EXPECT_EQ(small->Nicks().NickCount(), 299);
    EXPECT_EQ(Dispatch(":srv 366 me #small :End of NAMES list"), 1);
    EXPECT_TRUE(Sent("WHO #small"));

    Conversation *big = Channel("#big");
    std::string bigNames = ":srv 353 me = #big :me";
    for (int i = 1; i < 300; ++i)
        bigNames += " +v" + std::to_string(i);
    Dispatch(bigNames);
    EXPECT_EQ(big->Nicks().NickCount(), 300);
    Dispatch(":srv 366 me #big :End of NAMES list");
    SyncWire();
    EXPECT_EQ(CountSent("WHO #big"), 0);
}

TEST_F(ChannelDispatch, NamesAndEndOfNamesWithoutWindowShowRaw)
{
    Dispatch(":srv 353 me = #elsewhere :a b c");
    EXPECT_EQ(LastText(m_session->Key()), "[ 0353 ] = #elsewhere :a b c");
    Dispatch(":srv 366 me #elsewhere :End of NAMES list");
    EXPECT_EQ(LastText(m_session->Key()), "[ 0366 ] #elsewhere :End of NAMES list");
}

} // namespace
