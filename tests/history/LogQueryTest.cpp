// The query line of the find-everywhere window: what it means and what the
// index is asked.
#include <gtest/gtest.h>

#include "history/LogQuery.h"
#include "text/Strings.h"

namespace {

struct Row
{
    const char *line;
    const char *expression; // FullTextExpression
    const char *nick;
    const char *network;
    const char *window;
    const char *from;
    const char *to;
};

TEST(LogQuery, WordsPhrasesAndFieldsAsTyped)
{
    const Row rows[] = {
        {"ahoj svet", "text : (\"ahoj\" \"svet\")", "", "", "", "", ""},
        {"  \"nová téma\"  bob ", "text : (\"nová téma\" \"bob\")", "", "", "", "", ""},
        {"nick:bob", "nick : \"bob\"", "bob", "", "", "", ""},
        {"NICK:[Bob] pivo", "text : (\"pivo\") AND nick : \"[Bob]\"", "[Bob]", "", "", "", ""},
        {"net:\"Libera Chat\" win:#brimo od:2026-11-01 do:2026-12-01 kávu", "text : (\"kávu\")", "", "Libera Chat",
         "#brimo", "2026-11-01", "2026-12-01"},
        // A phrase is a phrase even when it looks like a field.
        {"\"nick:bob\"", "text : (\"nick:bob\")", "", "", "", "", ""},
        // An unknown field name is a word; a word of punctuation finds nothing and is left out.
        {"http://brimo.sk :-) ...", "text : (\"http://brimo.sk\")", "", "", "", "", ""},
        // Quotes typed inside a word cannot close the index's quoting.
        {"a\"b c\"d", "text : (\"ab cd\")", "", "", "", "", ""},
        {"zač* \"cel*\"", "text : (\"zač\" * \"cel*\")", "", "", "", "", ""},
        {"\"neukončená fráza", "text : (\"neukončená fráza\")", "", "", "", "", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.line);
        const ParsedLogQuery parsed = ParseLogQuery(row.line);
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(FullTextExpression(parsed.query), row.expression);
        EXPECT_EQ(parsed.query.nick, row.nick);
        EXPECT_EQ(parsed.query.network, row.network);
        EXPECT_EQ(parsed.query.window, row.window);
        EXPECT_EQ(parsed.query.from, row.from);
        EXPECT_EQ(parsed.query.to, row.to);
    }
}

TEST(LogQuery, AQuoteInsideAPhraseIsDoubledForTheIndex)
{
    LogQuery query;
    query.terms.push_back({"say \"hi\"", false});
    EXPECT_EQ(FullTextExpression(query), "text : (\"say \"\"hi\"\"\")");
}

TEST(LogQuery, LinesThatAreNoQuerySayWhy)
{
    const std::pair<const char *, std::string> rows[] = {
        {"", Strings::Get(Str::LogQueryNeedsWord)},
        {"   ", Strings::Get(Str::LogQueryNeedsWord)},
        {"win:#brimo od:2026-11-01", Strings::Get(Str::LogQueryNeedsWord)},
        {":-) --", Strings::Get(Str::LogQueryNeedsWord)},
        {"ahoj nick:", Strings::Format(Str::LogQueryEmptyField, "nick")},
        {"ahoj od:2026-13-01", Strings::Format(Str::LogQueryBadDay, "2026-13-01")},
        {"ahoj do:1.12.2026", Strings::Format(Str::LogQueryBadDay, "1.12.2026")},
        {"ahoj od:2026-12-02 do:2026-12-01", Strings::Get(Str::LogQueryDaysReversed)},
    };
    for (const auto &[line, error] : rows) {
        SCOPED_TRACE(line);
        EXPECT_EQ(ParseLogQuery(line).error, error);
    }
    EXPECT_EQ(ParseLogQuery("ahoj od:2026-12-01 do:2026-12-01").error, "");
}

} // namespace
