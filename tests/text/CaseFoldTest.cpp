#include "text/CaseFold.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CaseRow
{
    const char *a;
    const char *b;
    bool asciiEqual;   // EqualIgnoringAsciiCase
    bool unicodeEqual; // EqualIgnoringCase
};

const CaseRow kRows[] = {
    // ASCII: both rules pair A-Z with a-z and nothing else.
    {"/JOIN", "/join", true, true},
    {"NickServ", "nickserv", true, true},
    {"bob", "bobby", false, false},
    {"", "", true, true},
    {"a1-_", "A1-_", true, true},
    {"@", "`", false, false},
    // Slovak letters: only the Unicode rule folds them.
    {"Ľubo", "ľubo", false, true},
    {"ČAJ", "čaj", false, true},
    {"ŠťASTNÝ", "šťastný", false, true},
    {"ÔŽ", "ôž", false, true},
    {"Ľubo", "Lubo", false, false},
    {"á", "â", false, false},
    // Non-ASCII letters that fold to ASCII or to another form.
    {"\xE2\x84\xAA", "k", false, true}, // Kelvin sign
    {"ς", "Σ", false, true},
    {"ſ", "S", false, true},
    // IRC's own mapping of []\~ to {}|^ is no rule of ours.
    {"[a]", "{a}", false, false},
    {"x\\y", "x|y", false, false},
    {"~w", "^w", false, false},
    {"[A]", "[a]", true, true},
};

TEST(CaseFold, EachRuleByRows)
{
    for (const CaseRow &row : kRows) {
        SCOPED_TRACE(std::string(row.a) + " / " + row.b);
        EXPECT_EQ(EqualIgnoringAsciiCase(row.a, row.b), row.asciiEqual);
        EXPECT_EQ(EqualIgnoringAsciiCase(row.b, row.a), row.asciiEqual);
        EXPECT_EQ(EqualIgnoringCase(row.a, row.b), row.unicodeEqual);
        EXPECT_EQ(EqualIgnoringCase(row.b, row.a), row.unicodeEqual);
        // The folded form is the key that equal names share.
        EXPECT_EQ(FoldCase(row.a) == FoldCase(row.b), row.unicodeEqual);
    }
}

TEST(CaseFold, FoldedFormsAreLowerCase)
{
    EXPECT_EQ(FoldCase("NickServ[x]"), "nickserv[x]");
    EXPECT_EQ(FoldCase("ĽUBOŠ"), "ľuboš");
    EXPECT_EQ(FoldCase("ς"), "σ");
    EXPECT_EQ(FoldCase(""), "");
    EXPECT_EQ(AsciiLower('Q'), 'q');
    EXPECT_EQ(AsciiLower('['), '[');
    EXPECT_EQ(AsciiLower('\xC4'), '\xC4');
}

} // namespace
