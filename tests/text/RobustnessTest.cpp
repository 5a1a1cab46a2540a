// Every text function on hostile input: empty text, text without blanks,
// 10 KB words and every byte value. The texts are views into larger buffers
// whose following bytes would change the results if a function read past the
// end of its view.
#include "text/Colors.h"
#include "text/IrcCodes.h"
#include "text/TextUtil.h"
#include "text/Words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bytes after the view that a read past the end would pick up.
const std::string kTrap = "12,34 x@y!z\r\n<>";

std::vector<std::string> HostileTexts()
{
    std::vector<std::string> texts = {"",
                                      " ",
                                      "  ",
                                      "noblank",
                                      ":",
                                      "@",
                                      "!",
                                      "\x03",
                                      "\x03,",
                                      "\x03"
                                      "9,",
                                      "\r",
                                      "\n",
                                      "<",
                                      ">"};
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte)
        allBytes += char(byte);
    texts.push_back(allBytes);
    texts.push_back(std::string(allBytes.rbegin(), allBytes.rend()));
    for (int byte = 0; byte < 256; ++byte)
        texts.push_back(std::string(1, char(byte)));
    texts.push_back(std::string(10240, 'w'));
    texts.push_back(std::string(10240, 'w') + " " + std::string(10240, 'v'));
    texts.push_back(std::string(10240, '\x03'));
    texts.push_back(std::string(10240, '<'));
    texts.push_back(std::string(10240, ' '));
    return texts;
}

// Runs every function on the view and returns one text made of all results.
std::string AllResults(std::string_view text)
{
    std::string all;
    int position = 0;
    all += ConvertToHtml(text) + '|' + StripCodes(text) + '|' + StripTags(text) + '|';
    for (int n : {-1, 0, 1, 2, 3, 100000}) {
        all += GetWord(text, n) + '|' + GetWordAt(text, n, position) + std::to_string(position) + '|';
        all += GetRest(text, n) + '|' + ReplaceWord(text, n, "R") + '|';
        std::string line;
        all += std::to_string(GetLine(text, n, line)) + line + '|';
    }
    all += std::to_string(CountWords(text)) + '|';
    all += NickFromPrefix(text) + '|' + HostFromPrefix(text) + '|' + StripColon(text) + '|';
    all += std::to_string(CommonPrefixLength(text, text)) + std::to_string(CommonPrefixLength(text, "abc")) + '|';
    all += TimeText(text) + '|' + std::to_string(MatchesInOrder(text, text)) + '|';
    all += std::to_string(HexToColor(text)) + '|';
    return all;
}

TEST(Robustness, ResultsDependOnlyOnTheBytesInsideTheView)
{
    for (const std::string &text : HostileTexts()) {
        const std::string withTrap = text + kTrap;
        const std::string_view view(withTrap.data(), text.size());
        // The same text in its own buffer (ending in a NUL) must give the same results.
        ASSERT_EQ(AllResults(view), AllResults(text)) << "text of " << text.size() << " bytes";
    }
}

TEST(Robustness, LongWordsAreReturnedWhole)
{
    const std::string word(10240, 'w');
    const std::string text = word + " " + word + "x";
    EXPECT_EQ(CountWords(text), 2);
    EXPECT_EQ(GetWord(text, 2), word + "x");
    EXPECT_EQ(GetRest(text, 2), word + "x");
    EXPECT_EQ(ConvertToHtml(text), text);
    EXPECT_EQ(CommonPrefixLength(text, text), int(text.size()));
    EXPECT_TRUE(MatchesInOrder(text, "wx"));
}

TEST(Robustness, FullByteRangeKeepsPlainBytesAndEscapesBrackets)
{
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte)
        allBytes += char(byte);
    const std::string html = ConvertToHtml(allBytes);
    EXPECT_NE(html.find("&lt;=&gt;"), std::string::npos);
    EXPECT_NE(html.find(std::string("\xFE\xFF", 2)), std::string::npos);
    EXPECT_EQ(StripCodes(allBytes).size(), 256u - 5u);
}

} // namespace
