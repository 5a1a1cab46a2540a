// What a printed line becomes in a log, and how a log line reads back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "history/LogLine.h"
#include "text/TextClass.h"

namespace {

class LogLineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    // 2026-12-07 20:06:23 UTC.
    static constexpr int64_t kTime = 1796673983;

    static std::string Logged(const std::string &text, TextClass textClass)
    {
        const std::optional<LogEntry> entry = EntryOfPrintedLine(text, static_cast<int>(textClass));
        return entry ? FormatLogLine(*entry, kTime) : std::string("<none>");
    }
};

TEST_F(LogLineTest, MessagesActionsAndEventsAreWrittenAsAPagerShowsThem)
{
    EXPECT_EQ(Logged("bob: ahoj všetci", TextClass::Text), "20:06:23 <bob> ahoj všetci");
    EXPECT_EQ(Logged("* bob: máva", TextClass::High), "20:06:23 * bob máva");
    EXPECT_EQ(Logged("* Teraz tu je aj ann", TextClass::Info), "20:06:23 -- Teraz tu je aj ann");
    EXPECT_EQ(Logged("* bob zvolil novú tému: a: b", TextClass::Info), "20:06:23 -- bob zvolil novú tému: a: b");
    EXPECT_EQ(Logged("[NOTICE] bob: pozor", TextClass::Info), "20:06:23 -- [NOTICE] bob: pozor");
    EXPECT_EQ(Logged("PING? PONG!", TextClass::Info), "20:06:23 -- PING? PONG!");
    // A text line that is no "nick: text" is said, not attributed.
    EXPECT_EQ(Logged("no colon here", TextClass::Text), "20:06:23 -- no colon here");
    EXPECT_EQ(Logged("<b>offer</b>", TextClass::Html), "<none>");
}

TEST_F(LogLineTest, FormattingCodesAndLineBreaksDoNotReachTheFile)
{
    EXPECT_EQ(Logged("bob: \x02tučne\x02 \x03"
                     "4,2farba\x03 \x1Fpod\x0F",
                     TextClass::Text),
              "20:06:23 <bob> tučne farba pod");
    EXPECT_EQ(Logged("bob: a\r\nb", TextClass::Text), "20:06:23 <bob> a  b");
}

TEST_F(LogLineTest, EveryWrittenLineReadsBackAsTimeNickAndText)
{
    const struct
    {
        const char *printed;
        TextClass textClass;
        LogEntry::Kind kind;
        const char *nick;
        const char *text;
    } cases[] = {
        {"bob: ahoj", TextClass::Text, LogEntry::Message, "bob", "ahoj"},
        {"bob: <ann> nie: áno", TextClass::Text, LogEntry::Message, "bob", "<ann> nie: áno"},
        {"bob: ", TextClass::Text, LogEntry::Message, "bob", ""},
        {"* bob: máva", TextClass::High, LogEntry::Action, "bob", "máva"},
        {"* bob: ", TextClass::High, LogEntry::Action, "bob", ""},
        {"* Teraz tu je aj ann", TextClass::Info, LogEntry::Event, "", "Teraz tu je aj ann"},
        {"* <ann> -- x", TextClass::Error, LogEntry::Event, "", "<ann> -- x"},
    };
    for (const auto &c : cases) {
        const std::string line = Logged(c.printed, c.textClass);
        const std::optional<LogEntry> entry = ParseLogLine(line);
        ASSERT_TRUE(entry) << line;
        EXPECT_EQ(entry->time, "20:06:23");
        EXPECT_EQ(entry->kind, c.kind) << line;
        EXPECT_EQ(entry->nick, c.nick) << line;
        EXPECT_EQ(entry->text, c.text) << line;
    }
}

TEST_F(LogLineTest, AnEntryIsPrintedAgainAsItsWindowPrintedIt)
{
    const struct
    {
        const char *line;
        const char *printed;
        TextClass textClass;
    } cases[] = {
        {"20:06:23 <bob> ahoj: všetci", "bob: ahoj: všetci", TextClass::Text},
        {"20:06:23 * bob máva", "* bob: máva", TextClass::High},
        {"20:06:23 -- Teraz tu je aj ann", "* Teraz tu je aj ann", TextClass::Info},
        {"20:06:23 -- bob: nie je správa", "* bob: nie je správa", TextClass::Info},
    };
    for (const auto &c : cases) {
        const std::optional<LogEntry> entry = ParseLogLine(c.line);
        ASSERT_TRUE(entry) << c.line;
        const PrintedLine printed = PrintedLineOf(*entry);
        EXPECT_EQ(printed.text, c.printed);
        EXPECT_EQ(printed.textClass, static_cast<int>(c.textClass)) << c.line;
        // Logged again it would be the same line.
        EXPECT_EQ(Logged(printed.text, static_cast<TextClass>(printed.textClass)), c.line);
    }
}

TEST_F(LogLineTest, LinesNotWrittenByTheProgramAreRefused)
{
    for (const char *line : {"", "20:06:23", "20:06:23 ", "2:06:23 <bob> a", "20:6:23 <bob> a", "20:06:23 bob a",
                             "20:06:23 <bob>a", "20:06:23 <b b> a", "20:06:23 * bob", "xx:06:23 <bob> a"})
        EXPECT_FALSE(ParseLogLine(line)) << line;
}

} // namespace
