#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the find-everywhere window looks for in the logs, read from one line
// of text: words in any order, phrases in quotes, and fields
//   nick:bob        lines said (or acted) by that nick
//   net:Libera      one network (the server entry's name; quotes for blanks)
//   win:#brimo      one window (a channel or a nick)
//   od:2026-11-01   from that day on
//   do:2026-12-01   up to that day, the day included
// e.g.  nick:bob "nová téma" sprava od:2026-11-01
// Case and Slovak diacritics do not matter ("sprava" finds "Správa" and the
// other way round). A word ending in "*" finds every word it begins.
struct LogQuery
{
    struct Term
    {
        std::string text; // a word or the words of a phrase, as typed
        bool prefix = false;
    };
    std::vector<Term> terms;
    std::string nick;
    std::string network;
    std::string window;
    std::string from; // "YYYY-MM-DD" or empty
    std::string to;   // "YYYY-MM-DD" or empty
};

struct ParsedLogQuery
{
    LogQuery query;
    std::string error; // why the text is no query (a user-visible text); empty when it is one
};

// The query of a typed line. A line without a word, a phrase or a nick, a
// field without a value and a day that is not YYYY-MM-DD are errors.
ParsedLogQuery ParseLogQuery(std::string_view text);

// The full-text expression of the query's words, phrases and nick for an
// index whose columns are "nick" and "text"; every term is quoted, so nothing
// typed is read as the index's own syntax. Terms that hold no letter or
// digit are left out.
std::string FullTextExpression(const LogQuery &query);
