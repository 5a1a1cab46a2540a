#pragma once

#include <string>
#include <string_view>

// Comparing text without regard to case, one function per rule. Two rules
// are in use and they differ on purpose:
//
// ASCII: only A-Z and a-z pair up; every other byte compares as it is.
//   For words the program itself spells: command words and their options,
//   CTCP commands, HTML tag, attribute and colour names, the decoration's
//   word matches, the window placement's "true".
//   "/JOIN" = "/join", "Ľubo" != "ľubo", "[a]" != "{a}".
// Unicode: simple case folding of every character (as QChar::toCaseFolded).
//   For names that people choose: sessions, windows, channels and nicks, the
//   nick list, the sections, keys and "TRUE" values of the configuration.
//   "Ľubo" = "ľubo", "ČAJ" = "čaj", "ς" = "Σ", "[a]" != "{a}".
//
// Neither maps IRC's "[]\~" to "{}|^": the program never did, and a name
// that differs only there is a different name to it.
//
// Both are cheap on ASCII text: a byte loop with no conversion to UTF-16.
// Folding turns bytes that are not valid UTF-8 into U+FFFD (received lines
// are valid UTF-8 by the time names are taken from them).

char AsciiLower(char c);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The Unicode-folded form of the text, for keys of maps and sets.
std::string FoldCase(std::string_view text);
bool EqualIgnoringCase(std::string_view a, std::string_view b);
