#include "session/MentionList.h"

#include <gtest/gtest.h>

#include <string>

TEST(MentionList, AWordIsNamedWhenItStandsAloneWhateverItsCase)
{
    struct Row
    {
        const char *text;
        const char *word;
        bool named;
    };
    const Row rows[] = {
        {"bob: ahoj", "bob", true},
        {"ahoj Bob", "bob", true},
        {"@BOB, poď sem", "bob", true},
        {"to je bob's", "bob", true},
        {"(bob)", "bob", true},
        {"bobby tu nie je", "bob", false},
        {"jakub_bob", "bob", false},
        {"bob-ka", "bob", false},
        {"[bob]", "bob", false}, // a nick of its own
        {"bob|away", "bob", false},
        {"bobík", "bob", false},
        {"ĽUBO príď", "ľubo", true},
        {"ľubomír", "ľubo", false},
        {"bob", "bob", true},
        {"bo", "bob", false},
        {"", "bob", false},
        {"hocičo", "", false},
        // A word that ends in a sign may touch the next word.
        {"c++rocks", "c++", true},
        // The second place counts when the first runs on.
        {"bobby, bob", "bob", true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(MentionList::NamesWord(row.text, row.word), row.named) << row.text << " / " << row.word;
}

TEST(MentionList, TheNickOrAnyHighlightWordNamesTheUser)
{
    MentionList mentions;
    EXPECT_TRUE(mentions.Names("ahoj me", "me"));
    EXPECT_FALSE(mentions.Names("meme a brimo", "me"));
    mentions.SetHighlightWords("  brimo  release ");
    EXPECT_EQ(mentions.HighlightWords(), (std::vector<std::string>{"brimo", "release"}));
    EXPECT_TRUE(mentions.Names("meme a Brimo", "me"));
    EXPECT_TRUE(mentions.Names("nový RELEASE!", ""));
    EXPECT_FALSE(mentions.Names("released", "me"));
}

TEST(MentionList, KeepsTheNewestThousandNewestFirst)
{
    MentionList mentions;
    int changes = 0;
    mentions.SetListener([&] { ++changes; });
    for (int i = 0; i < 1005; ++i) {
        Mention mention;
        mention.m_text = "line " + std::to_string(i);
        mentions.Add(mention);
    }
    EXPECT_EQ(changes, 1005);
    ASSERT_EQ(mentions.Count(), MentionList::kCapacity);
    EXPECT_EQ(mentions.At(0).m_text, "line 1004");
    EXPECT_EQ(mentions.At(0).m_number, 1005u);
    EXPECT_EQ(mentions.At(999).m_text, "line 5");
    EXPECT_EQ(mentions.Find(5), nullptr) << "the oldest went";
    EXPECT_EQ(mentions.Find(6)->m_text, "line 5");
    EXPECT_EQ(mentions.UnreadCount(), 1000);
}

TEST(MentionList, MentionsAreReadOneByOneByWindowOrAll)
{
    MentionList mentions;
    for (const char *window : {"#a", "#b", "#A", "#a"}) {
        Mention mention;
        mention.m_sessionKey = window[1] == 'b' ? "other" : "net";
        mention.m_window = window;
        mentions.Add(mention);
    }
    int changes = 0;
    mentions.SetListener([&] { ++changes; });
    mentions.MarkRead(4);
    EXPECT_FALSE(mentions.Find(4)->m_unread);
    EXPECT_EQ(mentions.UnreadCount(), 3);
    mentions.MarkRead(4); // nothing new
    EXPECT_EQ(changes, 1);

    mentions.MarkWindowRead("net", "#a"); // "#A" is the same window
    EXPECT_EQ(mentions.UnreadCount(), 1);
    EXPECT_TRUE(mentions.Find(2)->m_unread) << "another session's window";
    mentions.MarkWindowRead("net", "#a");
    EXPECT_EQ(changes, 2);
    mentions.MarkAllRead();
    EXPECT_EQ(mentions.UnreadCount(), 0);
    EXPECT_EQ(changes, 3);
}
