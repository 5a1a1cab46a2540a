// Which words of a typed line the spell checker looks at.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "text/SpellWords.h"

namespace {

QStringList Checked(const QString &line, const std::function<bool(const QString &)> &isNick = {})
{
    QStringList words;
    for (const SpellWord &word : SpellWords(line, isNick))
        words << line.mid(word.start, word.length);
    return words;
}

TEST(SpellWords, ProseWordsWithoutPunctuationAndWithTheirPlaces)
{
    const QString line = QString::fromUtf8("Ahoj, ako sa máš? „Dobre“ (vďaka)…");
    EXPECT_EQ(Checked(line),
              QStringList({"Ahoj", "ako", "sa", QString::fromUtf8("máš"), "Dobre", QString::fromUtf8("vďaka")}));
    const std::vector<SpellWord> words = SpellWords(line);
    ASSERT_EQ(words.size(), 6u);
    EXPECT_EQ(words[0], (SpellWord{0, 4}));
    EXPECT_EQ(words[3], (SpellWord{13, 3}));
    // An apostrophe belongs to a word, a hyphen splits it into its parts.
    EXPECT_EQ(Checked(QString::fromUtf8("don't slovensko-anglický")),
              QStringList({"don't", "slovensko", QString::fromUtf8("anglický")}));
}

TEST(SpellWords, ChannelsAddressesNumbersAbbreviationsAndSingleLettersAreLeftOut)
{
    EXPECT_EQ(Checked(QString::fromUtf8("pozri #brimo a www.brimo.sk alebo https://x.sk/a v2 bob_ IRC DCC x")),
              QStringList({"pozri", "alebo"}));
    EXPECT_EQ(Checked(":-) <3 ... 42"), QStringList());
}

TEST(SpellWords, NicksOfTheWindowAreLeftOut)
{
    const auto isNick = [](const QString &word) { return word.compare("Zuzka", Qt::CaseInsensitive) == 0; };
    EXPECT_EQ(Checked("zuzka: poslala si to?", isNick), QStringList({"poslala", "si", "to"}));
    EXPECT_EQ(Checked("ZUZKA, Zuzkin kabat", isNick), QStringList({"Zuzkin", "kabat"}));
}

TEST(SpellWords, CommandsAreLeftOutButTheTextOfProseCommandsIsChecked)
{
    EXPECT_EQ(Checked("/join #brimo kluc"), QStringList());
    EXPECT_EQ(Checked("/mode #brimo +o peter"), QStringList());
    EXPECT_EQ(Checked("/me mava vsetkym"), QStringList({"mava", "vsetkym"}));
    EXPECT_EQ(Checked("/ME   mava"), QStringList({"mava"}));
    EXPECT_EQ(Checked("/msg peter ahojte tu"), QStringList({"ahojte", "tu"}));
    EXPECT_EQ(Checked("/topic #brimo nova tema"), QStringList({"nova", "tema"}));
    EXPECT_EQ(Checked("/msg"), QStringList());
    EXPECT_EQ(Checked("/"), QStringList());
}

} // namespace
