#include "text/Decoration.h"
#include "text/IrcCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// A channel window with "Bob" and "@Op" in its nick list and "friend" in the
// address book; the user's own nick is "Me".
DecorationContext ChannelContext()
{
    DecorationContext context;
    context.m_ownNick = "Me";
    context.m_smileyFolder = "/opt/brimo/smiles";
    static const std::set<std::string> members = {"Bob", "@Op", "+Me"};
    context.m_isNickListMember = [](std::string_view nick) {
        for (const std::string &member : members) {
            if (NickMatchesMember(nick, member))
                return true;
        }
        return false;
    };
    context.m_isContact = [](std::string_view lowered) { return lowered == "friend"; };
    return context;
}

std::string Channel(const std::string &word)
{
    return "<span id='/join " + word + "' title='Klikni a vstúpiš na kanál " + word + "' style='cursor: hand;'>" + word
        + "</span>";
}

std::string Nick(const std::string &word, const std::string &extraStyle = "")
{
    return "<span id='/query " + word + "' title='Klikni a budeš si písať s " + word + " súkromne' style='cursor: hand;"
        + extraStyle + "'>" + word + "</span>";
}

std::string Address(const std::string &word)
{
    return "<span id='/link " + word + "' title='" + word + "' style='cursor: hand; text-decoration: underline;'>"
        + word + "</span>";
}

std::string Smiley(const std::string &file)
{
    return "<img src=\"/opt/brimo/smiles/" + file
        + "\" width=15 height=15 align=middle style='margin-bottom:-6;margin-top:-6'>";
}

struct DecorationRow
{
    const char *converted;
    std::string expected;
};

TEST(Decoration, WordsBecomeTheirElements)
{
    const DecorationContext context = ChannelContext();
    const DecorationRow rows[] = {
        {"#chan", Channel("#chan")},
        {"join #a and #b", "join " + Channel("#a") + " and " + Channel("#b")},
        {"bob", Nick("bob")},
        {"@bob", Nick("@bob")},
        {"+bob", Nick("+bob")},
        {"op", Nick("op")},
        {"hi bob:", "hi bob:"}, // only the first word loses its colon
        {"bob: hi", Nick("bob") + ": hi"},
        {":", ":"},
        {"FRIEND", Nick("FRIEND")},
        {"http://x", Address("http://x")},
        {"http://", "http://"},
        {"https://x", Address("https://x")},
        {"https://", "https://"},
        {"ftp://a", Address("ftp://a")},
        {"ftp://", "ftp://"},
        {"www.a", Address("www.a")},
        {"www.", "www."},
        {"HTTP://x.sk", "HTTP://x.sk"},
        {":-0", Smiley("13.gif")},
        {":D", Smiley("3.gif")},
        {":d", ":d"},
        {":eek:", ":eek:"}, // first word: its colon goes before the test
        {"so :eek:", "so " + Smiley("8.gif")},
        {"a :) b :-) c", "a " + Smiley("1.gif") + " b " + Smiley("1.gif") + " c"},
        {":&gt;", Smiley("2.gif")},
        {"<b>#chan</b>", "<b>#chan</b>"},
        {"plain words stay", "plain words stay"},
        {"two  blanks", "two  blanks"},
        {"", ""},
    };
    for (const DecorationRow &row : rows)
        EXPECT_EQ(DecorateLine(row.converted, context), row.expected) << row.converted;
}

TEST(Decoration, ChannelWinsOverNickAndNickOverAddressAndSmiley)
{
    DecorationContext context = ChannelContext();
    context.m_isNickListMember = [](std::string_view) { return true; };
    EXPECT_EQ(DecorateLine("x #bob", context), Nick("x") + " " + Channel("#bob"));
    EXPECT_EQ(DecorateLine("x www.bob", context), Nick("x") + " " + Nick("www.bob"));
}

// The conversion closes a bold or coloured line right after its last word; a
// nick there is still a nick, and the tags follow its element.
TEST(Decoration, NickEndingAFormattedLineBeforeItsClosingTags)
{
    DecorationContext context = ChannelContext();
    EXPECT_EQ(DecorateLine(ConvertToHtml("\x02hi bob\x02"), context), "<b>hi " + Nick("bob") + "</b>");
    EXPECT_EQ(DecorateLine(ConvertToHtml("\x03"
                                         "4hi bob"),
                           context),
              "<span style='color:Red;'>hi " + Nick("bob") + "</span>");
    EXPECT_EQ(DecorateLine(ConvertToHtml("\x1f\x02hi @Op"), context), "<u><b>hi " + Nick("@Op") + "</b></u>");
    context.m_hiLighting = true;
    EXPECT_EQ(DecorateLine(ConvertToHtml("\x02hi Me"), context), "<b>hi " + Nick("Me", " color: #EE4040;") + "</b>");
    EXPECT_EQ(DecorateLine("hi bob</i>", context), "hi bob</i>"); // only the conversion's own tags
}

TEST(Decoration, SmileysOnlyWhenTheToggleIsOn)
{
    DecorationContext context = ChannelContext();
    context.m_smileys = false;
    EXPECT_EQ(DecorateLine("a :) b", context), "a :) b");
}

// The conversion closes its tags right after the last word of a formatted
// line; a smiley there keeps its image and the tags follow it.
TEST(Decoration, SmileyEndingAFormattedLineBeforeItsClosingTags)
{
    const DecorationContext context = ChannelContext();
    const std::string html = ConvertToHtml("\x02hi\x03"
                                           "4 ;)");
    EXPECT_EQ(html, "<b>hi<span style='color:Red;'> ;)</b></span>");
    EXPECT_EQ(DecorateLine(html, context), "<b>hi<span style='color:Red;'> " + Smiley("5.gif") + "</b></span>");
    EXPECT_EQ(DecorateLine("x :)</i>", context), "x :)</i>"); // only the conversion's own tags
}

TEST(Decoration, HighlightingColoursOwnNickAndContacts)
{
    DecorationContext context = ChannelContext();
    context.m_hiLighting = true;
    context.m_colorMyText = 0xEE4040;
    context.m_colorABText = 0x50AA50;
    EXPECT_EQ(DecorateLine("x Me", context), "x " + Nick("Me", " color: #EE4040;"));
    EXPECT_EQ(DecorateLine("x me", context), "x " + Nick("me")); // own nick compares case-sensitively
    EXPECT_EQ(DecorateLine("x friend", context), "x " + Nick("friend", " color: #50AA50;"));
    EXPECT_EQ(DecorateLine("x bob", context), "x " + Nick("bob"));
    context.m_sessionExists = false;
    EXPECT_EQ(DecorateLine("x Me", context), "x " + Nick("Me"));
}

TEST(Decoration, WithoutLookUpsNothingIsANick)
{
    DecorationContext context;
    EXPECT_EQ(DecorateLine("bob @bob", context), "bob @bob");
}

TEST(Decoration, WordsAfterTheFirstLineBreakAreNotExamined)
{
    const DecorationContext context = ChannelContext();
    // The counted words end at the first LF: only "a\nb" is a word here.
    EXPECT_EQ(DecorateLine("a\nb #chan", context), "a\nb #chan");
    // "#b\r\n#c" is the second counted word: CR and LF belong to it, and in
    // its command they are escaped (the view never runs such a command).
    const std::string out = DecorateLine("#a #b\r\n#c", context);
    EXPECT_EQ(out.rfind(Channel("#a") + " <span id='/join #b&#13;&#10;#c' ", 0), 0u) << out;
}

TEST(Decoration, OnlyTheFirst3996BytesOfAWordAreTested)
{
    const DecorationContext context = ChannelContext();
    const std::string word = "#" + std::string(5000, 'x');
    const std::string out = DecorateLine(word, context);
    const std::string tested = word.substr(0, 3996);
    EXPECT_EQ(out, Channel(tested) + word.substr(3996));
}

TEST(Decoration, HostileWordsCannotLeaveTheirAttributes)
{
    const DecorationContext context = ChannelContext();
    // As ConvertToHtml gives them: < and > escaped, quotes and & raw.
    const char *hostile[] = {"#a'onclick='x",      "#a\"b",       "#a&amp;b", "#x&#39;y", "http://a'b\"c",
                             "www.x'><img src=x>", "#a\x01\r\x7f"};
    for (const char *raw : hostile) {
        const std::string converted = ConvertToHtml(raw);
        const std::string out = DecorateLine(converted, context);
        // The attribute values are between the first quotes: no raw quote inside.
        const size_t idStart = out.find("id='");
        ASSERT_NE(idStart, std::string::npos) << raw;
        const size_t idEnd = out.find('\'', idStart + 4);
        const std::string id = out.substr(idStart + 4, idEnd - idStart - 4);
        EXPECT_EQ(id.find_first_of("\"<>\r\n\x01"), std::string::npos) << out;
        const size_t titleStart = out.find("' title='", idStart);
        EXPECT_EQ(titleStart, idEnd) << "the id must be followed by the title: " << out;
        const size_t styleStart = out.find("' style='", titleStart + 9);
        EXPECT_EQ(out.substr(titleStart + 9, styleStart - titleStart - 9).find_first_of("'\"<>"), std::string::npos)
            << out;
        EXPECT_EQ(out.find(" onclick="), std::string::npos) << out;
    }
    // The decoded id is the word as the reader sees it.
    EXPECT_EQ(DecodeEntities(EscapeAttribute("/join #a'b\"c&d")), "/join #a'b\"c&d");
    EXPECT_NE(DecorateLine("#a'b", context).find("id='/join #a&#39;b'"), std::string::npos);
    EXPECT_NE(DecorateLine("#a&lt;b", context).find("id='/join #a&lt;b'"), std::string::npos);
}

TEST(Decoration, SmileyFolderIsEscapedInItsAttribute)
{
    DecorationContext context;
    context.m_smileyFolder = "/tmp/a\"b";
    EXPECT_EQ(DecorateLine("x :)", context),
              "x <img src=\"/tmp/a&quot;b/1.gif\" width=15 height=15 align=middle "
              "style='margin-bottom:-6;margin-top:-6'>");
}

TEST(Decoration, SmileyTableFirstRowWins)
{
    EXPECT_STREQ(SmileyFile(":)"), "1.gif");
    EXPECT_STREQ(SmileyFile(":))"), "2.gif");
    EXPECT_STREQ(SmileyFile(":>"), "2.gif");
    EXPECT_STREQ(SmileyFile(":]]]"), "3.gif");
    EXPECT_STREQ(SmileyFile(":("), "4.gif");
    EXPECT_STREQ(SmileyFile(";-]"), "5.gif");
    EXPECT_STREQ(SmileyFile(":}"), "6.gif");
    EXPECT_STREQ(SmileyFile("8-)"), "7.gif");
    EXPECT_STREQ(SmileyFile("oo|"), "8.gif");
    EXPECT_STREQ(SmileyFile(":evil:"), "9.gif");
    EXPECT_STREQ(SmileyFile(":*"), "10.gif");
    EXPECT_STREQ(SmileyFile(":idea:"), "11.gif");
    EXPECT_STREQ(SmileyFile(":I"), "12.gif");
    EXPECT_STREQ(SmileyFile(":-0"), "13.gif");
    EXPECT_EQ(SmileyFile(":-D"), nullptr);
    EXPECT_EQ(SmileyFile(""), nullptr);
    EXPECT_STREQ(SmileyToken("13.gif"), ":o");
    EXPECT_EQ(SmileyToken("14.gif"), nullptr);
}

TEST(Decoration, NickListComparisonSkipsOneStatusCharacterOfTheMember)
{
    EXPECT_TRUE(NickMatchesMember("bob", "@Bob"));
    EXPECT_TRUE(NickMatchesMember("BOB", "+bob"));
    EXPECT_TRUE(NickMatchesMember("bob", "bob"));
    EXPECT_FALSE(NickMatchesMember("bob", "@@bob"));
    EXPECT_FALSE(NickMatchesMember("bo", "bob"));
    EXPECT_FALSE(NickMatchesMember("", "@"));
}

TEST(Decoration, EntitiesDecodeLikeABrowserAndEscapingIsReversible)
{
    EXPECT_EQ(DecodeEntities("&lt;&gt;&amp;&quot;&apos;&#39;&#x41;&#65;"), "<>&\"''AA");
    EXPECT_EQ(DecodeEntities("&nbsp;"), "\xC2\xA0");
    EXPECT_EQ(DecodeEntities("a & b &unknown; &#; &#xZZ; &lt"), "a & b &unknown; &#; &#xZZ; &lt");
    EXPECT_EQ(DecodeEntities("&#0;&#xD800;&#9999999;"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(DecodeEntities("&#13;&#10;"), "\r\n");
    EXPECT_EQ(DecodeEntities("&#x1F600;"), "\xF0\x9F\x98\x80");
    // One reference at a time: nothing between '&' and ';' is skipped over.
    std::string out;
    EXPECT_EQ(DecodeEntityAt("&lt;b", 0, out), 4u);
    EXPECT_EQ(DecodeEntityAt("R&D</b> &lt;3", 1, out), 0u);
    EXPECT_EQ(DecodeEntityAt("&amp", 0, out), 0u);
    EXPECT_EQ(DecodeEntityAt("x&#x10FFFF;", 1, out), 10u);
    EXPECT_EQ(out, "<\xF4\x8F\xBF\xBF");
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += char(c);
    const std::string escaped = EscapeAttribute(every);
    EXPECT_EQ(escaped.find_first_of("'\"<>\r\n"), std::string::npos);
    EXPECT_EQ(DecodeEntities(escaped), every);
}

TEST(Decoration, StampAndClassSpans)
{
    EXPECT_EQ(ClassColorSpan(0xFFFFFF, 0x000000), "<span style='background-color: #transparent; color: #000000;'>");
    EXPECT_EQ(ClassColorSpan(0x102030, 0xFFFFFF), "<span style='background-color: #102030; color: #transparent;'>");
    const std::string stamp = TimeStampSpan(0, 0xFFFFFF, 0x949494);
    EXPECT_EQ(stamp.rfind("<span style='z-index: 5; background-color: transparent; color: #949494;'>[", 0), 0u);
    EXPECT_EQ(stamp.substr(stamp.size() - 9), "]</span> ");
}

TEST(Decoration, NoWordOrByteBreaksTheDecoration)
{
    const DecorationContext context = ChannelContext();
    std::string every;
    for (int c = 0; c < 256; ++c)
        every += char(c);
    const std::string bytes[] = {every,
                                 std::string(10000, ' '),
                                 std::string(10000, '#'),
                                 "#",
                                 "@",
                                 "+",
                                 "@+",
                                 std::string(3996, 'a') + "\xC3\xA1" + "b"};
    for (const std::string &text : bytes) {
        const std::string out = DecorateLine(ConvertToHtml(text), context);
        EXPECT_GE(out.size(), ConvertToHtml(text).size());
    }
    // A cut never splits a UTF-8 character: the tested part of this word ends
    // before the two-byte letter that straddles byte 3996.
    const std::string word = "#" + std::string(3994, 'a') + "\xC3\xA1" + "z";
    const std::string out = DecorateLine(word, context);
    EXPECT_NE(out.find("</span>\xC3\xA1z"), std::string::npos);
}

} // namespace

namespace {

TEST(Decoration, AnAddressKeepsTheTagsOfItsWordAfterTheElement)
{
    DecorationContext context;
    // The last word of a coloured line holds the line's closing tags.
    const std::string converted = ConvertToHtml("\x03"
                                                "4see http://x.sk/a");
    EXPECT_EQ(DecorateLine(converted, context), "<span style='color:Red;'>see " + Address("http://x.sk/a") + "</span>");
    EXPECT_EQ(DecorateLine("http://a<b>b</b>c<u>", context), Address("http://abc") + "<b></b><u>");
}

// A colour code right after a word splits its tag at the blank inside it
// ("<span" | "style='...'>"): the element must not swallow the first half.
TEST(Decoration, ChannelsAndNicksKeepTheTagsOfTheirWordAfterTheElement)
{
    DecorationContext context = ChannelContext();
    EXPECT_EQ(DecorateLine(ConvertToHtml("see #chan\x03"
                                         "4red"),
                           context),
              "see " + Channel("#chan") + "<span style='color:Red;'>red</span>");
    EXPECT_EQ(DecorateLine(ConvertToHtml("\x02see #chan"), context), "<b>see " + Channel("#chan") + "</b>");
    EXPECT_EQ(DecorateLine(ConvertToHtml("see https://x.sk\x03"
                                         "4red"),
                           context),
              "see " + Address("https://x.sk") + "<span style='color:Red;'>red</span>");
    context.m_isNickListMember = [](std::string_view nick) { return nick.substr(0, 3) == "bob"; };
    EXPECT_EQ(DecorateLine(ConvertToHtml("hi bob\x03"
                                         "4red"),
                           context),
              "hi " + Nick("bob") + "<span style='color:Red;'>red</span>");
    // Formatting inside a word is dropped from the element, as for addresses.
    EXPECT_EQ(DecorateLine(ConvertToHtml("#a\x02"
                                         "b\x02"
                                         "c"),
                           context),
              Channel("#abc") + "<b></b>");
}

// What a user wrote is what the element carries: the conversion writes '&'
// as "&amp;", and the command and the title hold the plain word.
TEST(Decoration, ElementsOfWordsWithAmpersandsHoldThePlainWord)
{
    const DecorationContext context = ChannelContext();
    EXPECT_EQ(
        DecorateLine(ConvertToHtml("#R&D"), context),
        "<span id='/join #R&amp;D' title='Klikni a vstúpiš na kanál #R&amp;D' style='cursor: hand;'>#R&amp;D</span>");
    EXPECT_EQ(DecorateLine(ConvertToHtml("http://x.sk/?a=1&b=2"), context),
              "<span id='/link http://x.sk/?a=1&amp;b=2' title='http://x.sk/?a=1&amp;b=2' "
              "style='cursor: hand; text-decoration: underline;'>http://x.sk/?a=1&amp;b=2</span>");
    EXPECT_EQ(DecorateLine(ConvertToHtml("so :>"), context), "so " + Smiley("2.gif"));
}

} // namespace
