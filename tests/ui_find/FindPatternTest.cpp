#include "find/FindPattern.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Hits = std::vector<FoundText>;

FindOptions Options(bool caseSensitive, bool wholeWord = false, bool expression = false)
{
    FindOptions options;
    options.m_caseSensitive = caseSensitive;
    options.m_wholeWord = wholeWord;
    options.m_regularExpression = expression;
    return options;
}

bool FitsLatin1(const QString &line)
{
    for (QChar c : line)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

// The hits in a line kept as UTF-16; for a line that fits in Latin-1 the
// same line kept as bytes must give the same hits.
Hits Find(const FindPattern &pattern, const QString &line)
{
    Hits wide;
    pattern.FindIn(QStringView(line), wide);
    if (FitsLatin1(line)) {
        const QByteArray bytes = line.toLatin1();
        Hits narrow;
        pattern.FindIn(QLatin1StringView(bytes), narrow);
        EXPECT_EQ(wide, narrow) << "Latin-1 and UTF-16 differ on: " << line.toStdString();
    }
    return wide;
}

Hits Find(const QString &text, const FindOptions &options, const QString &line)
{
    return Find(FindPattern(text, options), line);
}

// What QString finds, hit after hit, never overlapping.
Hits QStringHits(const QString &line, const QString &text, Qt::CaseSensitivity cs)
{
    Hits hits;
    for (qsizetype at = line.indexOf(text, 0, cs); at >= 0; at = line.indexOf(text, at + text.size(), cs))
        hits.push_back({int(at), int(text.size())});
    return hits;
}

} // namespace

TEST(FindPattern, PlainTextFindsEveryHitWithoutOverlap)
{
    EXPECT_EQ(Find(QStringLiteral("ab"), Options(false), QStringLiteral("ab xab abab")),
              (Hits{{0, 2}, {4, 2}, {7, 2}, {9, 2}}));
    EXPECT_EQ(Find(QStringLiteral("aa"), Options(false), QStringLiteral("aaaaa")), (Hits{{0, 2}, {2, 2}}));
    EXPECT_EQ(Find(QStringLiteral("Bob"), Options(true), QStringLiteral("bob Bob BOB")), (Hits{{4, 3}}));
    EXPECT_EQ(Find(QStringLiteral("Bob"), Options(false), QStringLiteral("bob Bob BOB")),
              (Hits{{0, 3}, {4, 3}, {8, 3}}));
    EXPECT_TRUE(Find(QStringLiteral("longer than the line"), Options(false), QStringLiteral("short")).empty());
    EXPECT_TRUE(Find(QString(), Options(false), QStringLiteral("anything")).empty());
}

TEST(FindPattern, SlovakLettersCompareAsQStringComparesThem)
{
    // š, č, ľ are wider than Latin-1; á, ô, ä are Latin-1.
    EXPECT_EQ(Find(QStringLiteral("ŠPORT"), Options(false), QStringLiteral("dnes šport a Šport")),
              (Hits{{5, 5}, {13, 5}}));
    EXPECT_EQ(Find(QStringLiteral("ľubo"), Options(false), QStringLiteral("Ahoj ĽUBO")), (Hits{{5, 4}}));
    EXPECT_EQ(Find(QStringLiteral("MÁJ"), Options(false), QStringLiteral("v máji")), (Hits{{2, 3}}));
    EXPECT_EQ(Find(QStringLiteral("kôň"), Options(false), QStringLiteral("KÔŇ")), (Hits{{0, 3}}));
    EXPECT_TRUE(Find(QStringLiteral("MÁJ"), Options(true), QStringLiteral("v máji")).empty());
    // Diacritics matter: "s" is not "š", "a" is not "á".
    EXPECT_TRUE(Find(QStringLiteral("sport"), Options(false), QStringLiteral("šport")).empty());
    EXPECT_TRUE(Find(QStringLiteral("maj"), Options(false), QStringLiteral("máj")).empty());
    // A case-sensitive text with a letter past Latin-1 cannot be in a Latin-1 line.
    EXPECT_TRUE(Find(QStringLiteral("č"), Options(true), QStringLiteral("cc")).empty());
    // Letters whose folded forms meet: the Kelvin sign folds to "k".
    EXPECT_EQ(Find(QStringLiteral("\u212Aa"), Options(false), QStringLiteral("xKA")), (Hits{{1, 2}}));
}

TEST(FindPattern, AgreesWithQStringOnRandomChat)
{
    // Lines of letters that fold in every way Latin-1 and Slovak text can.
    const QString alphabet = QStringLiteral("aAbBsSkKáÁäÄôÔßÿµ šŠčČľĽ_1.");
    std::mt19937 random(7);
    const auto text = [&](int length, bool latin1Only) {
        QString out;
        while (out.size() < length) {
            const QChar c = alphabet[int(random() % alphabet.size())];
            if (!latin1Only || c.unicode() <= 0xFF)
                out += c;
        }
        return out;
    };
    for (int round = 0; round < 3000; ++round) {
        const bool latin1 = round % 2 == 0;
        const QString line = text(int(random() % 40), latin1);
        const QString needle = text(1 + int(random() % 3), round % 3 == 0 ? false : latin1);
        for (bool caseSensitive : {false, true}) {
            const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
            ASSERT_EQ(Find(needle, Options(caseSensitive), line), QStringHits(line, needle, cs))
                << "needle '" << needle.toStdString() << "' in '" << line.toStdString() << "'";
        }
    }
}

TEST(FindPattern, WholeWordsDoNotGoOnIntoLongerWords)
{
    const FindOptions words = Options(false, true);
    EXPECT_EQ(Find(QStringLiteral("bob"), words, QStringLiteral("bob, bobby @bob bob_x xbob Bob")),
              (Hits{{0, 3}, {12, 3}, {27, 3}}));
    EXPECT_EQ(Find(QStringLiteral("čaj"), words, QStringLiteral("čajník čaj čaju")), (Hits{{7, 3}}));
    EXPECT_TRUE(Find(QStringLiteral("káv"), words, QStringLiteral("kávy káva")).empty());
    EXPECT_EQ(Find(QStringLiteral("2"), words, QStringLiteral("12 2 21")), (Hits{{3, 1}}));
    // A hit that starts or ends with a sign needs no blank there.
    EXPECT_EQ(Find(QStringLiteral(":)"), words, QStringLiteral("ahoj:) a :)x")), (Hits{{4, 2}, {9, 2}}));
    // A word further on is found after a failed one at the same letters.
    EXPECT_EQ(Find(QStringLiteral("aa"), words, QStringLiteral("aaa aa")), (Hits{{4, 2}}));
}

TEST(FindPattern, RegularExpressions)
{
    EXPECT_EQ(Find(QStringLiteral("b.b"), Options(false, false, true), QStringLiteral("bob BIB bb")),
              (Hits{{0, 3}, {4, 3}}));
    EXPECT_EQ(Find(QStringLiteral("b.b"), Options(true, false, true), QStringLiteral("bob BIB")), (Hits{{0, 3}}));
    EXPECT_EQ(Find(QStringLiteral("\\w+ko"), Options(false, false, true), QStringLiteral("Ďurko a Janko")),
              (Hits{{0, 5}, {8, 5}}));
    EXPECT_EQ(Find(QStringLiteral("[0-9]+"), Options(false, true, true), QStringLiteral("a1 22 x333")), (Hits{{3, 2}}));
    // Empty matches are no hits and never stop the search.
    EXPECT_EQ(Find(QStringLiteral("x*"), Options(false, false, true), QStringLiteral("axxbx")), (Hits{{1, 2}, {4, 1}}));
    EXPECT_EQ(Find(QStringLiteral("^"), Options(false, false, true), QStringLiteral("abc")), Hits{});
    // A look-behind sees the text before where the search goes on.
    EXPECT_EQ(Find(QStringLiteral("(?<=a)b"), Options(false, false, true), QStringLiteral("ab ab cb")),
              (Hits{{1, 1}, {4, 1}}));
}

TEST(FindPattern, AnInvalidExpressionSaysWhereAndFindsNothing)
{
    const FindPattern broken(QStringLiteral("ab(c"), Options(false, false, true));
    EXPECT_FALSE(broken.IsValid());
    EXPECT_GE(broken.ErrorOffset(), 0);
    EXPECT_TRUE(Find(broken, QStringLiteral("ab(c abc")).empty());

    const FindPattern plain(QStringLiteral("ab(c"), Options(false));
    EXPECT_TRUE(plain.IsValid());
    EXPECT_EQ(plain.ErrorOffset(), -1);
    EXPECT_EQ(Find(plain, QStringLiteral("x ab(c")), (Hits{{2, 4}}));
}
