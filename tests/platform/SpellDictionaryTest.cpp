// The Hunspell dictionaries installed on the system: Slovak and English.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <algorithm>

#include "platform/SpellDictionary.h"

namespace {

bool IsInstalled(const std::string &name)
{
    const std::vector<std::string> installed = SpellDictionary::Installed();
    return std::find(installed.begin(), installed.end(), name) != installed.end();
}

TEST(SpellDictionary, SlovakKnowsItsWordsAndSuggestsTheDiacritics)
{
    ASSERT_TRUE(IsInstalled("sk_SK")) << "hunspell-sk is not installed";
    SpellDictionary slovak;
    ASSERT_TRUE(slovak.Load("sk_SK"));
    EXPECT_EQ(slovak.Name(), "sk_SK");
    EXPECT_TRUE(slovak.IsCorrect(QString::fromUtf8("ďakujem")));
    EXPECT_TRUE(slovak.IsCorrect(QString::fromUtf8("Bratislava")));
    EXPECT_FALSE(slovak.IsCorrect(QString::fromUtf8("dakujem")));
    EXPECT_FALSE(slovak.IsCorrect(QString::fromUtf8("ďakujemm")));
    const QStringList suggestions = slovak.Suggestions(QString::fromUtf8("dakujem"), 5);
    EXPECT_LE(suggestions.size(), 5);
    EXPECT_TRUE(suggestions.contains(QString::fromUtf8("ďakujem"))) << suggestions.join(',').toStdString();

    slovak.AddWord(QString::fromUtf8("brimovský"));
    EXPECT_TRUE(slovak.IsCorrect(QString::fromUtf8("brimovský")));
}

TEST(SpellDictionary, EnglishIsAnotherLanguageAndAMissingOneLoadsNothing)
{
    ASSERT_TRUE(IsInstalled("en_US")) << "hunspell-en-us is not installed";
    SpellDictionary english;
    ASSERT_TRUE(english.Load("en_US"));
    EXPECT_TRUE(english.IsCorrect("thanks"));
    EXPECT_FALSE(english.IsCorrect(QString::fromUtf8("ďakujem")));
    EXPECT_TRUE(english.Suggestions("recieve", 3).contains("receive"));

    EXPECT_FALSE(english.Load("xx_XX"));
    EXPECT_FALSE(english.IsLoaded());
    EXPECT_FALSE(english.Load("../hunspell/en_US"));
    EXPECT_TRUE(english.IsCorrect("anythingxyz")) << "without a dictionary nothing is wrong";
    EXPECT_TRUE(english.Suggestions("recieve", 3).isEmpty());
}

} // namespace
