#include <gtest/gtest.h>

#include "conversation/Conversation.h"
#include "conversation/TypedLine.h"

#include <string>

namespace {

using Meaning = TypedLine::Meaning;

struct Row
{
    const char *text;
    TypedLine::Window window;
    Meaning meaning;
    const char *commandLine;
    int number;
};

const TypedLine::Window kChannel{"#room", Conversation::KindChannel, false, false};
const TypedLine::Window kPrivate{"bob", Conversation::KindText, false, false};
const TypedLine::Window kStatus{"irc.test", Conversation::KindText, true, false};
const TypedLine::Window kDccChat{"ann", Conversation::KindText, false, true};

const Row kRows[] = {
    {"", kChannel, Meaning::Nothing, "", 0},
    {"", kDccChat, Meaning::Nothing, "", 0},
    {"/join #a", kChannel, Meaning::Command, "/join #a", Conversation::KindChannel},
    {"/whois ann", kPrivate, Meaning::Command, "/whois ann", Conversation::KindText},
    {"/", kStatus, Meaning::Command, "/", Conversation::KindText},
    {"/quote PING x", kStatus, Meaning::Command, "/quote PING x", Conversation::KindText},
    {"hello all", kChannel, Meaning::Message, "/msg #room hello all", 0},
    {"//not a command", kChannel, Meaning::Message, "/msg #room //not a command", 0},
    {"//", kPrivate, Meaning::Message, "/msg bob //", 0},
    {"\x02"
     "bold\x02 text",
     kPrivate, Meaning::Message,
     "/msg bob \x02"
     "bold\x02 text",
     0},
    {" /join #a", kChannel, Meaning::Message, "/msg #room  /join #a", 0},
    {"hello", kStatus, Meaning::RefusedInStatus, "", 0},
    {"//x", kStatus, Meaning::RefusedInStatus, "", 0},
    {"/me waves", kDccChat, Meaning::DccChat, "", 0},
    {"hi there", kDccChat, Meaning::DccChat, "", 0},
};

TEST(TypedLine, EachTextMeansWhatItsWindowMakesOfIt)
{
    for (const Row &row : kRows) {
        const TypedLine line = TypedLine::Of(row.text, row.window);
        SCOPED_TRACE(std::string(row.text) + " in " + row.window.name);
        EXPECT_EQ(line.meaning, row.meaning);
        EXPECT_EQ(line.commandLine, row.commandLine);
        EXPECT_EQ(line.number, row.number);
    }
}

} // namespace
