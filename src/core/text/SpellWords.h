#pragma once

#include <QString>

#include <functional>
#include <vector>

// A word of a typed line for the spell checker: where it is in the line, in
// UTF-16 units (the input line's positions).
struct SpellWord
{
    int start = 0;
    int length = 0;
    bool operator==(const SpellWord &other) const = default;
};

// The words of a typed line that a spell checker is to look at. Left out:
// - a command and its arguments ("/join #a", "/mode ..."); only the text of
//   the commands that carry prose is looked at ("/me text", "/msg nick
//   text", "/notice", "/action", "/query", "/say", "/away", "/quit",
//   "/part #channel text", "/topic #channel text");
// - nicks (isNick, given the word as written, with no regard to case left to
//   the caller), channels, addresses, paths, anything with a digit or a
//   character that is no letter ("#brimo", "www.x.sk", "bob_", "x2");
// - words of one letter and words in capitals (IRC, DCC).
// Punctuation around a word is no part of it ("Ahoj," is "Ahoj"); a word
// with hyphens is its parts ("slovensko-anglický").
std::vector<SpellWord> SpellWords(const QString &line, const std::function<bool(const QString &)> &isNick = {});
