#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "conversation/ModeRules.h"
#include "conversation/NickList.h"

namespace {

std::vector<std::string> Texts(const NickList &list)
{
    std::vector<std::string> texts;
    for (const NickEntry &entry : list)
        texts.push_back(entry.nick);
    return texts;
}

NickList &Fill(NickList &list, const std::vector<std::string> &texts)
{
    for (const std::string &text : texts)
        list.AddNick(text);
    return list;
}

// Records every notification together with the list's size at that moment,
// so the order "about to" (old size) / "done" (new size) can be checked.
class RecordingListener : public NickListListener
{
public:
    explicit RecordingListener(const NickList &list) : m_list(list) {}

    void NickAboutToBeInserted(int index) override { Record("about-insert", index); }
    void NickInserted(int index) override { Record("inserted", index); }
    void NickAboutToBeRemoved(int index) override { Record("about-remove", index); }
    void NickRemoved(int index) override { Record("removed", index); }
    void NickChanged(int index) override { Record("changed", index); }
    void NickListAboutToBeCleared() override { Record("about-clear", -1); }
    void NickListCleared() override { Record("cleared", -1); }
    void NickSelectionChanged(int index) override { Record("selection", index); }

    std::vector<std::string> events;
    int inserts = 0;

private:
    void Record(const char *what, int index)
    {
        if (std::string(what) == "inserted")
            ++inserts;
        events.push_back(std::string(what) + " " + std::to_string(index) + " n=" + std::to_string(m_list.NickCount()));
    }
    const NickList &m_list;
};

} // namespace

TEST(NickListLookup, IgnoresEveryStatusSymbolAndCase)
{
    NickList list;
    Fill(list, {"+Bob", "@Carl", "%dan", "eve", "~owen", "&ada"});

    int index = -2;
    int mode = -2;
    EXPECT_TRUE(list.FindNick("@+bob", &index, &mode));
    EXPECT_EQ(list.EntryAt(index).nick, "+Bob");
    EXPECT_EQ(mode, NickList::Voice);

    EXPECT_TRUE(list.FindNick("CARL", &index, &mode));
    EXPECT_EQ(list.EntryAt(index).nick, "@Carl");
    EXPECT_EQ(mode, NickList::Operator);
    EXPECT_TRUE(list.FindNick("+@carl"));

    EXPECT_TRUE(list.FindNick("+eve", &index, &mode));
    EXPECT_EQ(mode, NickList::Regular);

    // A half-operator's '%' is a status like the others, not part of the nick.
    EXPECT_TRUE(list.FindNick("dan", &index, &mode));
    EXPECT_EQ(list.EntryAt(index).nick, "%dan");
    EXPECT_EQ(list.EntryAt(index).Bare(), "dan");
    EXPECT_EQ(mode, NickList::Regular);

    // Owners and admins rank above operators.
    EXPECT_TRUE(list.FindNick("Owen", &index, &mode));
    EXPECT_EQ(mode, NickList::Operator);
    EXPECT_TRUE(list.FindNick("ada", &index, &mode));
    EXPECT_EQ(mode, NickList::Operator);

    EXPECT_FALSE(list.FindNick("nobody", &index, &mode));
    EXPECT_EQ(index, -1);
    EXPECT_EQ(mode, -1);
}

TEST(NickListLookup, AddingAListedNickAddsNothing)
{
    NickList list;
    Fill(list, {"bob", "%dan"});
    EXPECT_EQ(list.AddNick("@Bob"), -1);
    EXPECT_EQ(list.AddNick("+BOB"), -1);
    EXPECT_EQ(list.AddNick("dan"), -1);
    EXPECT_EQ(list.AddNick("~%DAN"), -1);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"%dan", "bob"}));
}

TEST(NickListLookup, RemovingAPlainNickRemovesTheHalfOperator)
{
    NickList list;
    Fill(list, {"%dan", "@bob"});
    EXPECT_TRUE(list.RemoveNick("dan"));
    EXPECT_TRUE(list.RemoveNick("+bob"));
    EXPECT_EQ(list.NickCount(), 0);
}

// A NAMES entry with multi-prefix carries every status; each is kept.
TEST(NickListLookup, AMultiPrefixEntryKeepsAllItsStatuses)
{
    NickList list;
    Fill(list, {"@%+bob", "%+amy"});
    int index = -1;
    ASSERT_TRUE(list.FindNick("bob", &index));
    EXPECT_EQ(list.EntryAt(index).nick, "@bob");
    EXPECT_EQ(list.EntryAt(index).statuses, "@%+");
    list.SetNickMode("bob", "-o");
    ASSERT_TRUE(list.FindNick("bob", &index));
    EXPECT_EQ(list.EntryAt(index).nick, "%bob");
    list.SetNickMode("bob", "-h");
    ASSERT_TRUE(list.FindNick("bob", &index));
    EXPECT_EQ(list.EntryAt(index).nick, "+bob");
    ASSERT_TRUE(list.FindNick("amy", &index));
    EXPECT_EQ(list.EntryAt(index).statuses, "%+");
}

// The server's PREFIX decides what is a status and in which order members
// are grouped.
TEST(NickListLookup, FollowsTheStatusesTheServerAnnounces)
{
    NickList list;
    Fill(list, {"+amy", "@bob", "zed"});
    ModeRules rules;
    ASSERT_TRUE(rules.SetPrefix("(Yov)!@+"));
    list.SetStatuses(rules);
    list.SelectNick("zed");
    EXPECT_GE(list.AddNick("!carl"), 0);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"!carl", "@bob", "+amy", "zed"}));
    EXPECT_EQ(list.SelectedNick(), "zed");
    EXPECT_TRUE(list.FindNick("carl"));
    list.SetNickMode("amy", "+Y");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"!amy", "!carl", "@bob", "zed"}));
}

TEST(NickListOrder, GroupsThenLocaleOrderWithoutCase)
{
    NickList list;
    Fill(list, {"zed", "+amy", "@Carl", "%dan", "@bob", "&ada", "~owen"});
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"~owen", "&ada", "@bob", "@Carl", "%dan", "+amy", "zed"}));

    NickList plain;
    Fill(plain, {"carol", "Bob", "alice", "Dave", "?eve"});
    const std::vector<std::string> texts = Texts(plain);
    // Case does not split the members: a, B, c, D in alphabetical order.
    const auto pos = [&](const char *nick) { return std::find(texts.begin(), texts.end(), nick) - texts.begin(); };
    EXPECT_LT(pos("alice"), pos("Bob"));
    EXPECT_LT(pos("Bob"), pos("carol"));
    EXPECT_LT(pos("carol"), pos("Dave"));
    // A marked member stays among the others, not in a group of its own.
    EXPECT_EQ(plain.NickCount(), 5);
}

TEST(NickListOrder, SortsBeforeAgreesWithTheList)
{
    NickList list;
    EXPECT_TRUE(list.SortsBefore("~zed", "&amy"));
    EXPECT_TRUE(list.SortsBefore("&zed", "@amy"));
    EXPECT_TRUE(list.SortsBefore("@zed", "%amy"));
    EXPECT_TRUE(list.SortsBefore("%zed", "+amy"));
    EXPECT_TRUE(list.SortsBefore("+zed", "amy"));
    EXPECT_TRUE(list.SortsBefore("Amy", "bob"));
    EXPECT_FALSE(list.SortsBefore("bob", "Amy"));
    EXPECT_FALSE(list.SortsBefore("amy", "amy"));
}

struct ModeCase
{
    const char *entry;
    const char *change;
    const char *result;
};

class NickListModeTable : public testing::TestWithParam<ModeCase>
{};

TEST_P(NickListModeTable, GivesTheStatusCharacter)
{
    const ModeCase &c = GetParam();
    NickList list;
    list.AddNick(c.entry);
    list.AddNick("someone");
    const std::string nick = list.WithoutStatus(c.entry);
    const int row = list.SetNickMode(nick, c.change);
    ASSERT_GE(row, 0);
    EXPECT_EQ(list.EntryAt(row).nick, c.result);
    EXPECT_EQ(list.NickCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(Modes, NickListModeTable,
                         testing::Values(ModeCase{"carl", "+o", "@carl"}, ModeCase{"+carl", "+o", "@carl"},
                                         ModeCase{"@carl", "-o", "carl"}, ModeCase{"@carl", "+v", "@carl"},
                                         ModeCase{"carl", "+v", "+carl"}, ModeCase{"@carl", "-v", "@carl"},
                                         ModeCase{"+carl", "-v", "carl"}, ModeCase{"carl", "+h", "%carl"},
                                         ModeCase{"+carl", "+h", "%carl"}, ModeCase{"@carl", "+q", "~carl"},
                                         ModeCase{"~carl", "+a", "~carl"}, ModeCase{"@carl", "+b", "@carl"},
                                         ModeCase{"carl", "+x", "carl"}));

TEST(NickListMode, AddsAnUnlistedNickAndKeepsSelectionAndAway)
{
    NickList list;
    Fill(list, {"amy", "zed"});
    const int row = list.SetNickMode("Bob", "+o");
    EXPECT_EQ(list.EntryAt(row).nick, "@Bob");
    EXPECT_EQ(row, 0);

    list.SetNickAway("zed", "AWAY");
    list.SelectNick("zed");
    const int zed = list.SetNickMode("zed", "+v");
    EXPECT_EQ(list.EntryAt(zed).nick, "+zed");
    EXPECT_EQ(list.SelectedIndex(), zed);
    EXPECT_EQ(list.SelectedNick(), "zed");
    EXPECT_TRUE(list.EntryAt(zed).IsAway());
}

// A member holds each status apart: the list shows the highest, and taking
// one away shows the next one the member still has.
TEST(NickListMode, KeepsVoiceAndOperatorApartAndShowsTheHighest)
{
    NickList list;
    Fill(list, {"amy", "@carl"});
    list.SetNickMode("carl", "+v");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"@carl", "amy"}));
    int mode = NickList::NotListed;
    list.SetNickMode("carl", "-o");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"+carl", "amy"}));
    ASSERT_TRUE(list.FindNick("carl", nullptr, &mode));
    EXPECT_EQ(mode, NickList::Voice);

    list.SetNickMode("carl", "+o");
    list.SetNickMode("carl", "-v");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"@carl", "amy"}));
    list.SetNickMode("carl", "-o");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"amy", "carl"}));

    // A renamed operator who is also voiced keeps both.
    list.SetNickMode("amy", "+v");
    list.SetNickMode("amy", "+o");
    ASSERT_TRUE(list.RenameNick("amy", "amelia"));
    list.SetNickMode("amelia", "-o");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"+amelia", "carl"}));
}

TEST(NickListRename, KeepsEveryStatus)
{
    NickList list;
    Fill(list, {"%dan", "@bob", "+amy", "zed"});
    EXPECT_TRUE(list.RenameNick("dan", "dan2"));
    EXPECT_TRUE(list.RenameNick("bob", "Bobby"));
    EXPECT_TRUE(list.RenameNick("amy", "amy_"));
    EXPECT_FALSE(list.RenameNick("nobody", "x"));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"@Bobby", "%dan2", "+amy_", "zed"}));
}

TEST(NickListRename, SelectedMemberStaysSelected)
{
    NickList list;
    Fill(list, {"amy", "bob", "zed"});
    list.SelectNick("amy");
    list.RenameNick("amy", "zzz");
    EXPECT_EQ(list.SelectedNick(), "zzz");
    EXPECT_EQ(list.SelectedIndex(), 2);
}

TEST(NickListSelection, FollowsInsertionsAndRemovals)
{
    NickList list;
    Fill(list, {"bob", "carl"});
    EXPECT_EQ(list.SelectedNick(), "");
    EXPECT_EQ(list.SelectNick("CARL"), 1);
    list.AddNick("@amy");
    EXPECT_EQ(list.SelectedIndex(), 2);
    EXPECT_EQ(list.SelectedNick(), "carl");
    list.RemoveNick("amy");
    EXPECT_EQ(list.SelectedIndex(), 1);
    list.RemoveNick("carl");
    EXPECT_EQ(list.SelectedIndex(), -1);
    EXPECT_EQ(list.SelectedNick(), "");
    EXPECT_EQ(list.SelectNick("nobody"), -1);
}

TEST(NickListSelection, NickAtStripsTheStatusSymbol)
{
    NickList list;
    Fill(list, {"@bob", "+amy", "%dan", "?eve"});
    EXPECT_EQ(list.NickAt(0), "bob");
    EXPECT_EQ(list.NickAt(1), "dan");
    EXPECT_EQ(list.NickAt(2), "amy");
    EXPECT_EQ(list.NickAt(3), "?eve");
    EXPECT_EQ(list.NickAt(4), "");
    EXPECT_EQ(list.NickAt(-1), "");
    NickList empty;
    EXPECT_EQ(empty.NickAt(0), "");
}

TEST(NickListAway, SetsAndClearsTheAwayText)
{
    NickList list;
    Fill(list, {"bob"});
    EXPECT_TRUE(list.SetNickAway("@Bob", "AWAY"));
    EXPECT_TRUE(list.EntryAt(0).IsAway());
    EXPECT_TRUE(list.SetNickAway("bob", ""));
    EXPECT_FALSE(list.EntryAt(0).IsAway());
    EXPECT_FALSE(list.SetNickAway("nobody", "AWAY"));
}

TEST(NickListListener, ToldBeforeAndAfterEachChange)
{
    NickList list;
    RecordingListener listener(list);
    list.SetListener(&listener);
    list.AddNick("bob");
    list.AddNick("@amy");
    list.SelectNick("bob");
    list.SetNickAway("bob", "AWAY");
    list.RemoveNick("bob");
    list.Clear();
    list.SetListener(nullptr);
    list.AddNick("zed");

    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"about-insert 0 n=0", "inserted 0 n=1", "about-insert 0 n=1", "inserted 0 n=2",
                                        "selection 1 n=2", "changed 1 n=2", "about-remove 1 n=2", "removed 1 n=1",
                                        "selection -1 n=1", "about-clear -1 n=1", "cleared -1 n=0"}));
}

TEST(NickListBadInput, EmptyStatusOnlyLongAndOddNicks)
{
    NickList list;
    EXPECT_EQ(list.AddNick(""), -1);
    EXPECT_EQ(list.AddNick("@"), -1);
    EXPECT_EQ(list.AddNick("%"), -1);
    EXPECT_EQ(list.SetNickMode("", "+o"), -1);
    EXPECT_FALSE(list.FindNick(""));
    EXPECT_FALSE(list.RemoveNick(""));
    EXPECT_EQ(list.NickCount(), 0);

    const std::string longNick(300, 'x');
    EXPECT_GE(list.AddNick("@" + longNick), 0);
    EXPECT_TRUE(list.FindNick(longNick));
    EXPECT_EQ(list.NickAt(0), longNick);

    EXPECT_EQ(list.AddNick("~&@%+"), -1);
    EXPECT_GE(list.AddNick("?odd"), 0);
    EXPECT_TRUE(list.FindNick("?odd"));
    EXPECT_FALSE(list.FindNick("odd"));
    EXPECT_GE(list.AddNick("a%b"), 0);
    EXPECT_TRUE(list.FindNick("A%B"));

    // Bytes that are not UTF-8 must not crash or merge with other members.
    EXPECT_GE(list.AddNick(std::string("\xff\xfe", 2)), 0);
    EXPECT_GE(list.AddNick("\xc5\xbdofia"), 0); // Žofia
    EXPECT_TRUE(list.FindNick("\xc5\xbeOFIA")); // žOFIA
    EXPECT_EQ(list.NickCount(), 5);
}

TEST(NickListBadInput, ADoubleStatusEntryIsNotListedTwice)
{
    NickList list;
    EXPECT_GE(list.AddNick("@+bob"), 0);
    EXPECT_EQ(list.AddNick("@+bob"), -1);
    EXPECT_EQ(list.NickCount(), 1);
}

TEST(NickListScale, TenThousandMembersInsertedOneRowAtATime)
{
    std::vector<std::string> texts;
    const char *marks[] = {"@", "%", "+", "", "", ""};
    for (int i = 0; i < 10000; ++i)
        texts.push_back(std::string(marks[i % 6]) + "user" + std::to_string(i * 7919 % 10007));
    std::shuffle(texts.begin(), texts.end(), std::mt19937(42));

    NickList list;
    RecordingListener listener(list);
    list.SetListener(&listener);
    Fill(list, texts);
    list.SetListener(nullptr);

    ASSERT_EQ(list.NickCount(), 10000);
    EXPECT_EQ(listener.inserts, 10000);
    EXPECT_EQ(std::count_if(listener.events.begin(), listener.events.end(),
                            [](const std::string &e) { return e.rfind("about-clear", 0) == 0; }),
              0);
    const std::vector<std::string> sorted = Texts(list);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [&](const std::string &a, const std::string &b) { return list.SortsBefore(a, b); }));
    for (int i = 0; i < 10000; i += 97) {
        int index = -1;
        ASSERT_TRUE(list.FindNick(texts[static_cast<size_t>(i)], &index));
        EXPECT_EQ(list.EntryAt(index).nick, texts[static_cast<size_t>(i)]);
    }
    for (const std::string &text : texts)
        list.RemoveNick(text);
    EXPECT_EQ(list.NickCount(), 0);
}

// Every member's row must be where the list shows it after any mix of
// changes: rows are renumbered on every insertion and removal.
TEST(NickListScale, RowsFoundWhereListedAfterRandomChanges)
{
    std::mt19937 random(7);
    const char *marks[] = {"@", "+", "", ""};
    const char *changes[] = {"+o", "-o", "+v", "-v"};
    NickList list;
    for (int step = 0; step < 3000; ++step) {
        const std::string nick = "n" + std::to_string(random() % 300);
        switch (random() % 4) {
        case 0:
            list.AddNick(marks[random() % 4] + nick);
            break;
        case 1:
            list.RemoveNick(nick);
            break;
        case 2:
            list.RenameNick(nick, "n" + std::to_string(random() % 300));
            break;
        default:
            list.SetNickMode(nick, changes[random() % 4]);
            break;
        }
        if (step % 50 != 0)
            continue;
        int row = 0;
        for (const NickEntry &entry : list) {
            int index = -1;
            ASSERT_TRUE(list.FindNick(entry.nick, &index)) << entry.nick;
            ASSERT_EQ(index, row) << entry.nick << " at step " << step;
            ++row;
        }
        const std::vector<std::string> texts = Texts(list);
        ASSERT_TRUE(std::is_sorted(texts.begin(), texts.end(), [&](const std::string &a, const std::string &b) {
            return list.SortsBefore(a, b);
        }));
    }
}
