#include "text/IrcCodes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct HtmlCase
{
    const char *name;
    std::string irc;
    std::string html;
};

class ConvertToHtmlTable : public ::testing::TestWithParam<HtmlCase>
{};

TEST_P(ConvertToHtmlTable, ProducesExpectedFragment)
{
    EXPECT_EQ(ConvertToHtml(GetParam().irc), GetParam().html);
}

const HtmlCase kHtmlCases[] = {
    {"Empty", "", ""},
    {"PlainTextUnchanged", "a b \"q\" 'x'", "a b \"q\" 'x'"},
    {"AngleBracketsEscaped", "<script>x</script>", "&lt;script&gt;x&lt;/script&gt;"},
    // What a user typed shows as typed: "&lt;" is seen as "&lt;", not as "<".
    {"AmpersandEscaped", "R&D &lt; &amp; &#60;", "R&amp;D &amp;lt; &amp;amp; &amp;#60;"},
    {"WholeExample",
     "a\x02"
     "b\x03"
     "4,12c\x0F"
     "d",
     "a<b>b<span style='color:Red;background-color:Blue;'>c</b></span>d"},
    {"ThirdDigitStaysText",
     "\x03"
     "123",
     "<span style='color:Blue;'>3</span>"},
    {"CommaWithoutDigitKept",
     "\x03"
     "4,x",
     "<span style='color:Red;'>,x</span>"},
    {"BackgroundOnly",
     "\x03"
     ",5x",
     "<span style='background-color:Brown;'>x</span>"},
    {"ColourWithoutDigits",
     "\x03"
     "x",
     "x"},
    {"ColourAtEnd", "x\x03", "x"},
    {"BareColourEndsColourAndBackground",
     "\x03"
     "4,1a\x03"
     "9b\x03"
     "c",
     "<span style='color:Red;background-color:Black;'>a<span style='color:Lime;'>b</span></span>c"},
    {"BareColourEndsReverse",
     "\x16"
     "a\x03"
     "b",
     "<span style='background-color:Black;color:White;'>a</span>b"},
    {"BareColourKeepsBoldAndUnderline",
     "\x02\x1F\x03"
     "4a\x03"
     "b",
     "<b><u><span style='color:Red;'>a</span>b</b></u>"},
    {"ColourCommaAtEnd",
     "\x03"
     "4,",
     "<span style='color:Red;'>,</span>"},
    {"NumbersAbove15AreWhite",
     "\x03"
     "16,99x",
     "<span style='color:White;background-color:White;'>x</span>"},
    {"LeadingZero",
     "\x03"
     "03x",
     "<span style='color:Green;'>x</span>"},
    {"OrangeIsBareHex",
     "\x03"
     "7x",
     "<span style='color:FFA500;'>x</span>"},
    {"TwoBackgroundDigitsOnly",
     "\x03"
     "1,123",
     "<span style='color:Black;background-color:Blue;'>3</span>"},
    {"BoldPair", "\x02\x02", "<b></b>"},
    {"OddBoldClosedFirst",
     "\x1F"
     "u\x02"
     "b\x16"
     "r",
     "<u>u<b>b<span style='background-color:Black;color:White;'>r</b></u></span>"},
    {"UnderlineToggles",
     "\x1F"
     "a\x1F"
     "b",
     "<u>a</u>b"},
    {"PlainAloneOpensNothing", "\x0F", ""},
    {"PlainEndsEverything",
     "\x02\x1F\x03"
     "1,1a\x16"
     "b\x0F"
     "c",
     "<b><u><span style='color:Black;background-color:Black;'>a"
     "<span style='background-color:Black;color:White;'>b</b></u></span></span>c"},
    {"StylesAfterPlainStartAnew",
     "\x02"
     "a\x0F"
     "b\x02"
     "c",
     "<b>a</b>b<b>c</b>"},
    {"ControlBytesCopied",
     std::string("a\r\n\x01\x07"
                 "b\0c",
                 8),
     std::string("a\r\n\x01\x07"
                 "b\0c",
                 8)},
    {"Utf8Copied", "Čierna žltá", "Čierna žltá"},
};

INSTANTIATE_TEST_SUITE_P(IrcCodes, ConvertToHtmlTable, ::testing::ValuesIn(kHtmlCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ConvertToHtml, NeverReadsDigitsPastTheEndOfItsText)
{
    const std::string buffer = "x\x03"
                               "12,34";
    EXPECT_EQ(ConvertToHtml(std::string_view(buffer).substr(0, 2)), "x");
    EXPECT_EQ(ConvertToHtml(std::string_view(buffer).substr(0, 5)), "x<span style='color:Blue;'>,</span>");
}

TEST(ConvertToHtml, AppendHtmlAddsToExistingText)
{
    std::string out = "<p>";
    AppendHtml(out,
               "a<\x02"
               "b");
    EXPECT_EQ(out, "<p>a&lt;<b>b</b>");
}

// Length of the program's own tag at pos (<b>, </u>, <span style='...'> ...),
// 0 when the text there is anything else.
size_t OwnTagLength(const std::string &html, size_t pos)
{
    for (const char *tag : {"<b>", "</b>", "<u>", "</u>", "</span>"}) {
        if (html.compare(pos, std::string_view(tag).size(), tag) == 0)
            return std::string_view(tag).size();
    }
    const std::string_view spanStart = "<span style='";
    if (html.compare(pos, spanStart.size(), spanStart) != 0)
        return 0;
    const size_t styleEnd = html.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789:;-",
                                                   pos + spanStart.size());
    if (styleEnd == std::string::npos || html.compare(styleEnd, 2, "'>") != 0)
        return 0;
    return styleEnd + 2 - pos;
}

// Length of the escape at pos ("&lt;", "&gt;", "&amp;"), 0 for anything else.
size_t EscapeLength(const std::string &html, size_t pos)
{
    for (const char *escape : {"&lt;", "&gt;", "&amp;"}) {
        if (html.compare(pos, std::string_view(escape).size(), escape) == 0)
            return std::string_view(escape).size();
    }
    return 0;
}

std::string WithoutOwnTagsAndEscapes(const std::string &html)
{
    std::string rest;
    for (size_t pos = 0; pos < html.size();) {
        const size_t skip = html[pos] == '<' ? OwnTagLength(html, pos) : html[pos] == '&' ? EscapeLength(html, pos) : 0;
        if (skip == 0)
            rest += html[pos++];
        pos += skip;
    }
    return rest;
}

// Whatever the input, the only markup in the result is the program's own
// tags and escapes: no '<', '>' or '&' of the text reaches the HTML raw.
TEST(ConvertToHtml, RandomInputNeverLetsRawAngleBracketsThrough)
{
    const std::string alphabet = std::string("\x02\x03\x0F\x16\x1F<>,0123456789ab&'\"\r\n", 21);
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::string input;
        const int length = int(random() % 40);
        for (int i = 0; i < length; ++i) {
            input += (random() % 4 == 0) ? char(random() % 256) : alphabet[random() % alphabet.size()];
        }
        const std::string rest = WithoutOwnTagsAndEscapes(ConvertToHtml(input));
        ASSERT_EQ(rest.find_first_of("<>&"), std::string::npos) << "input: " << input;
    }
}

TEST(ConvertToHtml, EveryOpenedTagIsClosed)
{
    const std::string html = ConvertToHtml("\x02\x1F\x03"
                                           "4\x16\x0F\x03"
                                           "x\x02\x1F\x02");
    auto count = [&html](const std::string &needle) {
        int n = 0;
        for (size_t pos = html.find(needle); pos != std::string::npos; pos = html.find(needle, pos + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<span"), count("</span>"));
    EXPECT_EQ(count("<b>"), count("</b>"));
    EXPECT_EQ(count("<u>"), count("</u>"));
}

TEST(StripCodes, RemovesFormattingBytesAndColourDigits)
{
    EXPECT_EQ(StripCodes(""), "");
    EXPECT_EQ(StripCodes("plain text"), "plain text");
    EXPECT_EQ(StripCodes("a\x02"
                         "b\x1F"
                         "c\x16"
                         "d\x0F"
                         "e"),
              "abcde");
    EXPECT_EQ(StripCodes("\x03"
                         "4,12red on blue"),
              "red on blue");
    EXPECT_EQ(StripCodes("\x03"
                         "123"),
              "3");
    EXPECT_EQ(StripCodes("\x03"
                         "4,x"),
              "x");
    EXPECT_EQ(StripCodes("\x03"
                         ",5x"),
              ",5x");
    EXPECT_EQ(StripCodes("\x03"
                         "1,234"),
              "4");
    EXPECT_EQ(StripCodes("x\x03"), "x");
    EXPECT_EQ(StripCodes("<a> & \r\n"), "<a> & \r\n");
}

TEST(StripCodes, NeverReadsDigitsPastTheEndOfItsText)
{
    const std::string buffer = "\x03"
                               "4,12";
    EXPECT_EQ(StripCodes(std::string_view(buffer).substr(0, 1)), "");
    EXPECT_EQ(StripCodes(std::string_view(buffer).substr(0, 2)), "");
}

TEST(StripTags, RemovesEverythingBetweenAngleBrackets)
{
    EXPECT_EQ(StripTags(""), "");
    EXPECT_EQ(StripTags("<b>bold</b> and <span style='x'>span</span>"), "bold and span");
    EXPECT_EQ(StripTags("a &lt; b"), "a &lt; b");
    EXPECT_EQ(StripTags("<<nested>still>out"), "out");
    // A stray '>' sends the depth below zero, hiding text until a '<' evens it out.
    EXPECT_EQ(StripTags("a>b<c"), "ac");
    EXPECT_EQ(StripTags("open <tag never closed"), "open ");
}

} // namespace
