#include "view/HtmlLineParser.h"
#include "text/FormatLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <random>

namespace {

struct Parsed
{
    StyledDocument document;
    HtmlLineParser parser;

    explicit Parsed(std::string_view html) { parser.Feed(html, document); }
    void feed(std::string_view html) { parser.Feed(html, document); }

    QString text(int line) const { return document.Line(line).m_text; }
    const StyledRun &runAt(int line, int offset) const
    {
        for (const StyledRun &run : document.Line(line).m_runs) {
            if (offset >= run.m_start && offset < run.m_start + run.m_length)
                return run;
        }
        static const StyledRun none;
        ADD_FAILURE() << "no run at " << line << ":" << offset;
        return none;
    }
    const RunStyle &styleAt(int line, int offset) const { return document.Style(runAt(line, offset).m_style); }
    QString commandAt(int line, int offset) const
    {
        const int link = runAt(line, offset).m_link;
        return link < 0 ? QString() : document.Link(link).m_command;
    }
};

TEST(HtmlLineParser, FormattedLineBecomesStyledRuns)
{
    FormatContext context;
    context.m_decoration.m_isNickListMember = [](std::string_view nick) { return nick == "bob"; };
    const std::string html = FormatLine("bob: \x02hi\x02 \x1fu\x1f \x03"
                                        "4,12red\x0f plain #chan",
                                        TextClass::Text, 0, context);
    Parsed parsed(html);
    ASSERT_EQ(parsed.document.LineCount(), 2); // CR LF ends the line
    const QString text = parsed.text(0);
    EXPECT_TRUE(text.endsWith(QStringLiteral("bob: hi u red plain #chan"))) << text.toStdString();
    EXPECT_EQ(parsed.text(1), QString());

    const int stamp = 0;
    EXPECT_EQ(parsed.styleAt(0, stamp).m_foreground, 0xFF949494);
    const int bob = int(text.indexOf(QStringLiteral("bob")));
    EXPECT_EQ(parsed.commandAt(0, bob), QStringLiteral("/query bob"));
    EXPECT_EQ(parsed.styleAt(0, bob).m_foreground, 0xFF000000);
    EXPECT_TRUE(parsed.commandAt(0, bob + 3).isEmpty()); // the colon is outside
    const int hi = int(text.indexOf(QStringLiteral("hi")));
    EXPECT_TRUE(parsed.styleAt(0, hi).m_bold);
    EXPECT_FALSE(parsed.styleAt(0, hi + 2).m_bold);
    const int u = int(text.indexOf(QStringLiteral(" u ")) + 1);
    EXPECT_TRUE(parsed.styleAt(0, u).m_underline);
    const int red = int(text.indexOf(QStringLiteral("red")));
    EXPECT_EQ(parsed.styleAt(0, red).m_foreground, 0xFFFF0000);
    EXPECT_EQ(parsed.styleAt(0, red).m_background, 0xFF0000FF);
    // 0x0F ends the colour and its background: the line's own colour is back.
    const int plain = int(text.indexOf(QStringLiteral("plain")));
    EXPECT_EQ(parsed.styleAt(0, plain).m_foreground, 0xFF000000);
    EXPECT_EQ(qAlpha(parsed.styleAt(0, plain).m_background), 0);
    const int chan = int(text.indexOf(QStringLiteral("#chan")));
    EXPECT_EQ(parsed.commandAt(0, chan), QStringLiteral("/join #chan"));
}

// The style a line starts with: what the word "probe", printed after it,
// is drawn with. A Text line of the default context is black on nothing.
RunStyle StyleOfNextLine(const std::string &irc, const FormatContext &context)
{
    Parsed parsed(FormatLine(irc, TextClass::Text, 0, context));
    parsed.feed(FormatLine("probe", TextClass::Text, 0, context));
    const int line = parsed.document.LineCount() - 2;
    const int at = int(parsed.text(line).indexOf(QStringLiteral("probe")));
    EXPECT_GE(at, 0) << irc;
    EXPECT_LT(parsed.runAt(line, at).m_link, 0) << irc;
    return at < 0 ? RunStyle() : parsed.styleAt(line, at);
}

void ExpectFreshStyle(const RunStyle &style, const std::string &irc)
{
    EXPECT_FALSE(style.m_bold) << irc;
    EXPECT_FALSE(style.m_underline) << irc;
    EXPECT_EQ(style.m_foreground, 0xFF000000) << irc;
    EXPECT_EQ(qAlpha(style.m_background), 0) << irc;
}

// Every word but the probe is a nick.
FormatContext EveryWordIsANick()
{
    FormatContext context;
    context.m_decoration.m_isNickListMember = [](std::string_view nick) { return nick != "probe"; };
    return context;
}

TEST(HtmlLineParser, NoStyleCarriesOverToTheNextLine)
{
    const FormatContext context;
    const char *lines[] = {
        "\x02R&D\x02 <3", // an '&' with a ';' in reach behind a closing tag
        "\x1Fu&x\x1F;",
        "\x02&#x41\x02;",
        "\x03"
        "4,1red&\x0F;",
        "\x16rev&lt\x03;",
        "see #chan\x03"
        "4red",
        "#R&D\x02bold",
        "http://x\x03"
        "4,1red",
    };
    for (const char *irc : lines)
        ExpectFreshStyle(StyleOfNextLine(irc, context), irc);
    ExpectFreshStyle(StyleOfNextLine("bob\x02&x\x02;", EveryWordIsANick()), "bob&x;");
}

// Lines of random words, formatting bytes and HTML characters: after each,
// the next line starts with no open style, whatever the line held.
TEST(HtmlLineParser, RandomLinesNeverLeaveAStyleOpen)
{
    const char *pieces[] = {"\x02",
                            "\x1F",
                            "\x16",
                            "\x0F",
                            "\x03",
                            "\x03"
                            "4",
                            "\x03"
                            "4,1",
                            ",",
                            "1",
                            "&",
                            ";",
                            "&lt;",
                            "&amp",
                            "#",
                            "#chan",
                            "http://",
                            "www.x",
                            ":)",
                            "<",
                            ">",
                            "<b>",
                            "</u>",
                            "'",
                            "\"",
                            " ",
                            " ",
                            "R",
                            "D",
                            "x",
                            "\t",
                            "\xC3\xA1"};
    const FormatContext contexts[] = {FormatContext(), EveryWordIsANick()};
    std::mt19937 random(2024);
    for (int round = 0; round < 3000; ++round) {
        std::string irc;
        const int count = int(random() % 24);
        for (int i = 0; i < count; ++i)
            irc += pieces[random() % std::size(pieces)];
        const RunStyle style = StyleOfNextLine(irc, contexts[round % 2]);
        ASSERT_FALSE(style.m_bold || style.m_underline || style.m_foreground != 0xFF000000
                     || qAlpha(style.m_background) != 0)
            << "after the line: " << irc;
    }
}

// What was typed is what is shown: entities a user writes are not decoded.
TEST(HtmlLineParser, TextShowsAsItWasTyped)
{
    const FormatContext context;
    const std::string typed = "R&D &lt;b&gt; &amp; &#65; a&b;c <3 \"q\" 'x'";
    Parsed parsed(FormatLine(typed, TextClass::Text, 0, context));
    EXPECT_TRUE(parsed.text(0).endsWith(QString::fromStdString(typed))) << parsed.text(0).toStdString();
    EXPECT_EQ(parsed.document.CopyText(0, 0, INT_MAX).right(int(typed.size())), QString::fromStdString(typed));
}

// 0x0F ends every style and colour; a 0x03 without digits ends the colour
// and the background. The line's own colour shows again after either.
TEST(HtmlLineParser, PlainAndBareColourEndWhatTheyShould)
{
    FormatContext context;
    context.m_colorText = 0x123456;
    Parsed parsed(FormatLine("\x02\x1F\x03"
                             "1,1a\x0F"
                             "b \x03"
                             "4,8c\x03"
                             "d \x16"
                             "e\x03"
                             "f",
                             TextClass::Text, 0, context));
    const QString text = parsed.text(0);
    const int a = int(text.indexOf(QLatin1Char('a')));
    EXPECT_EQ(parsed.styleAt(0, a).m_foreground, 0xFF000000);
    EXPECT_EQ(parsed.styleAt(0, a).m_background, 0xFF000000);
    for (const char letter : {'b', 'd', 'f'}) {
        const RunStyle &style = parsed.styleAt(0, int(text.indexOf(QLatin1Char(letter))));
        EXPECT_EQ(style.m_foreground, 0xFF123456) << letter;
        EXPECT_EQ(qAlpha(style.m_background), 0) << letter;
        EXPECT_FALSE(style.m_bold) << letter;
        EXPECT_FALSE(style.m_underline) << letter;
    }
    const int c = int(text.indexOf(QLatin1Char('c')));
    EXPECT_EQ(parsed.styleAt(0, c).m_background, 0xFFFFFF00);
}

TEST(HtmlLineParser, AddressesAreUnderlinedAndHttpsIsOne)
{
    const FormatContext context;
    Parsed parsed(FormatLine("see https://x.sk and http://y.sk", TextClass::Text, 0, context));
    const QString text = parsed.text(0);
    const int https = int(text.indexOf(QStringLiteral("https")));
    const int http = int(text.indexOf(QStringLiteral("http://")));
    EXPECT_EQ(parsed.commandAt(0, https), QStringLiteral("/link https://x.sk"));
    EXPECT_EQ(parsed.commandAt(0, http), QStringLiteral("/link http://y.sk"));
    EXPECT_TRUE(parsed.styleAt(0, https).m_underline);
    EXPECT_TRUE(parsed.styleAt(0, http + 8).m_underline);
    EXPECT_FALSE(parsed.styleAt(0, int(text.indexOf(QStringLiteral("and")))).m_underline);
}

TEST(HtmlLineParser, ColourForms)
{
    Parsed parsed("<span style='color:FFA500;'>a</span><span style='color: #00ff00'>b</span>"
                  "<span style='color:Brown;background-color:transparent'>c</span>"
                  "<span style='background-color: #transparent; color: #123456;'>d</span>"
                  "<span style='color:nonsense'>e</span><span style='background-color:Black;color:White;'>f</span>");
    EXPECT_EQ(parsed.text(0), QStringLiteral("abcdef"));
    EXPECT_EQ(parsed.styleAt(0, 0).m_foreground, 0xFFFFA500);
    EXPECT_EQ(parsed.styleAt(0, 1).m_foreground, 0xFF00FF00);
    EXPECT_EQ(parsed.styleAt(0, 2).m_foreground, 0xFFA52A2A);
    EXPECT_EQ(qAlpha(parsed.styleAt(0, 2).m_background), 0);
    EXPECT_EQ(parsed.styleAt(0, 3).m_foreground, 0xFF123456);
    EXPECT_EQ(parsed.styleAt(0, 4).m_foreground, 0xFF000000);
    EXPECT_EQ(parsed.styleAt(0, 5).m_foreground, 0xFFFFFFFF);
    EXPECT_EQ(parsed.styleAt(0, 5).m_background, 0xFF000000);
}

TEST(HtmlLineParser, BoldAndSpansMayCrossAsTheProgramWritesThem)
{
    // ConvertToHtml closes bold inside spans it opened later.
    Parsed parsed("a<b>b<span style='color:Red;background-color:Blue;'>c<span style='background-color:transparent;"
                  "color:Black;'>d</b></span></span>e</b></b></span>f");
    EXPECT_EQ(parsed.text(0), QStringLiteral("abcdef"));
    EXPECT_FALSE(parsed.styleAt(0, 0).m_bold);
    EXPECT_TRUE(parsed.styleAt(0, 1).m_bold);
    EXPECT_TRUE(parsed.styleAt(0, 2).m_bold);
    EXPECT_EQ(parsed.styleAt(0, 2).m_foreground, 0xFFFF0000);
    EXPECT_TRUE(parsed.styleAt(0, 3).m_bold);
    EXPECT_FALSE(parsed.styleAt(0, 4).m_bold);
    EXPECT_EQ(parsed.styleAt(0, 4).m_foreground, 0xFF000000);
    EXPECT_EQ(parsed.styleAt(0, 5).m_foreground, 0xFF000000);
}

TEST(HtmlLineParser, EntitiesAndUnknownMarkupShowAsText)
{
    Parsed parsed("&lt;b&gt; &amp; &quot;&#39;&#x41;&nbsp;| a & b &bogus; <script>x</script> <span <b");
    EXPECT_EQ(parsed.text(0), QStringLiteral("<b> & \"'A\u00A0| a & b &bogus; <script>x</script> <span <b"));
    Parsed unterminated("<span id='/x");
    EXPECT_EQ(unterminated.text(0), QStringLiteral("<span id='/x"));
}

TEST(HtmlLineParser, LineBreaksInsideThePreformattedBlock)
{
    Parsed parsed("<body style=\"x\">\n<div align='center'></div><pre style='font-family: A;font-size: 13px;'>"
                  "one\r\ntwo\nthree\rfour<br>five");
    ASSERT_EQ(parsed.document.LineCount(), 5);
    EXPECT_EQ(parsed.text(0), QStringLiteral("one"));
    EXPECT_EQ(parsed.text(1), QStringLiteral("two"));
    EXPECT_EQ(parsed.text(2), QStringLiteral("three"));
    EXPECT_EQ(parsed.text(3), QStringLiteral("four"));
    EXPECT_EQ(parsed.text(4), QStringLiteral("five"));
}

TEST(HtmlLineParser, StylesAndElementsStayOpenFromOneFragmentToTheNext)
{
    // A clickable offer: an element around a whole formatted line.
    Parsed parsed("<span id='/dcc chat connect 1.2.3.4 5' style='cursor:hand;'>");
    parsed.feed("<span style='color: #2E8B57;'>offer</span>\r\n");
    parsed.feed("</span>after");
    EXPECT_EQ(parsed.text(0), QStringLiteral("offer"));
    EXPECT_EQ(parsed.commandAt(0, 0), QStringLiteral("/dcc chat connect 1.2.3.4 5"));
    EXPECT_EQ(parsed.styleAt(0, 0).m_foreground, 0xFF2E8B57);
    EXPECT_EQ(parsed.text(1), QStringLiteral("after"));
    EXPECT_TRUE(parsed.commandAt(1, 0).isEmpty());
}

TEST(HtmlLineParser, AttributesAreDecodedOnce)
{
    Parsed parsed("<span id='/join #a&#39;b&quot;c&amp;lt;' title=\"t'&lt;\">x</span><span id=/q\\u>y</span>");
    EXPECT_EQ(parsed.commandAt(0, 0), QStringLiteral("/join #a'b\"c&lt;"));
    EXPECT_EQ(parsed.document.Link(parsed.runAt(0, 0).m_link).m_title, QStringLiteral("t'<"));
    EXPECT_EQ(parsed.commandAt(0, 1), QStringLiteral("/q\\u"));
}

TEST(HtmlLineParser, SmileyImageTakesOnePlaceAndCopiesAsItsToken)
{
    Parsed parsed("a <img src=\"/x/smiles/5.gif\" width=15 height=15 align=middle "
                  "style='margin-bottom:-6;margin-top:-6'> b <img src='/y/banner.png' width='468' height='60' "
                  "id='/link http://a' alt='Ad'>");
    ASSERT_EQ(parsed.text(0).size(), 7);
    const StyledRun &smiley = parsed.runAt(0, 2);
    ASSERT_GE(smiley.m_image, 0);
    EXPECT_EQ(parsed.document.Image(smiley.m_image).m_source, QStringLiteral("/x/smiles/5.gif"));
    EXPECT_EQ(parsed.document.Image(smiley.m_image).m_width, 15);
    EXPECT_EQ(parsed.document.CopyText(0, 0, 100), QStringLiteral("a ;) b Ad"));
    const StyledRun &banner = parsed.runAt(0, 6);
    EXPECT_EQ(parsed.document.Image(banner.m_image).m_width, 468);
    EXPECT_EQ(parsed.commandAt(0, 6), QStringLiteral("/link http://a"));
    EXPECT_EQ(parsed.document.Line(0).m_imageCount, 2);
}

TEST(HtmlLineParser, ControlBytesAreDroppedAndTabsKept)
{
    Parsed parsed(std::string("a\x01"
                              "b\tc\x7f"
                              "d\0e",
                              9));
    EXPECT_EQ(parsed.text(0), QStringLiteral("ab\tcde"));
}

TEST(HtmlLineParser, VeryLongTextIsCutIntoLinesOfBoundedLength)
{
    const std::string long_(HtmlLineParser::kMaxLineLength * 2 + 10, 'x');
    Parsed parsed(long_);
    ASSERT_EQ(parsed.document.LineCount(), 3);
    EXPECT_EQ(parsed.text(0).size(), HtmlLineParser::kMaxLineLength);
    EXPECT_EQ(parsed.text(2).size(), 10);
}

TEST(HtmlLineParser, DeepNestingAndRandomBytesNeverBreakIt)
{
    std::string deep;
    for (int i = 0; i < 20000; ++i)
        deep += "<span style='color:Red;'>";
    deep += "x";
    for (int i = 0; i < 20000; ++i)
        deep += "</span>";
    deep += "<b>y";
    Parsed parsed(deep);
    EXPECT_EQ(parsed.text(0), QStringLiteral("xy"));
    EXPECT_EQ(parsed.styleAt(0, 1).m_foreground, 0xFF000000); // every span closed again
    EXPECT_TRUE(parsed.styleAt(0, 1).m_bold);

    std::mt19937 random(12345);
    const std::string alphabet = "<>&;#'\"= /spanbuimgidtlecoryx\r\n\x02\x80\xC3\xFF";
    Parsed fuzzed("");
    for (int round = 0; round < 300; ++round) {
        std::string html;
        const int length = int(random() % 200);
        for (int i = 0; i < length; ++i)
            html += alphabet[random() % alphabet.size()];
        fuzzed.feed(html);
    }
    for (int line = 0; line < fuzzed.document.LineCount(); ++line) {
        const StyledLine &styled = fuzzed.document.Line(line);
        int covered = 0;
        for (const StyledRun &run : styled.m_runs) {
            EXPECT_EQ(run.m_start, covered);
            covered += run.m_length;
        }
        EXPECT_EQ(covered, styled.m_text.size());
    }
}

} // namespace

namespace {

// Lines are stored one byte a character until a character beyond Latin-1
// arrives; the switch must keep offsets, runs and text exactly as before.
TEST(HtmlLineParser, LineThatTurnsWideMidwayKeepsItsTextAndRuns)
{
    Parsed parsed("<span style='color:Red;'>caf\xc3\xa9 </span><b>\xc4\x8d"
                  "au</b> <span id='/query \xc5\xbe' "
                  "title='t'>\xc5\xbe</span> end");
    const QString expected = QStringLiteral(u"café čau ž end");
    EXPECT_EQ(parsed.text(0), expected);
    EXPECT_EQ(parsed.document.Line(0).m_text.size(), expected.size());
    EXPECT_EQ(parsed.document.Line(0).m_text.mid(3, 3), QStringLiteral(u"é č"));
    EXPECT_EQ(parsed.styleAt(0, 3).m_foreground, 0xFFFF0000); // é, stored before the switch
    EXPECT_TRUE(parsed.styleAt(0, 5).m_bold);                 // č, the character that switched
    EXPECT_FALSE(parsed.styleAt(0, 4).m_bold);
    EXPECT_EQ(parsed.commandAt(0, int(expected.indexOf(u'ž'))), QStringLiteral(u"/query ž"));

    LineText text;
    text += QStringLiteral(u"ab\u00ff");
    text += QStringLiteral(u"\u010d!");
    EXPECT_EQ(text.toString(), QStringLiteral(u"ab\u00ff\u010d!"));
    EXPECT_EQ(text.size(), 5);
    EXPECT_EQ(text.mid(2, 2), QStringLiteral(u"\u00ff\u010d"));
}

} // namespace
