#pragma once

#include <string>
#include <string_view>

// Word and prefix functions on which the parsing of IRC lines and command
// lines rests. Words are separated by single blanks (two blanks delimit an
// empty word); word numbers count from 1. A missing word is empty text.

// 1 + the number of blanks before the first LF (or, without LF, before the
// first CR, or the end). An empty text counts 1 word.
int CountWords(std::string_view text);
// The n-th word; empty if CountWords(text) < n. CR and LF are word characters.
std::string GetWord(std::string_view text, int n);
// The n-th word without the word-count test; position gets the byte index of
// its first character, or -1 if the word is empty or absent.
std::string GetWordAt(std::string_view text, int n, int &position);
// From the first character of word n to the end ("a b c", 2 -> "b c"); empty
// if CountWords(text) < n.
std::string GetRest(std::string_view text, int n);
// Words 1..CountWords(text) joined by single blanks, word n replaced.
std::string ReplaceWord(std::string_view text, int n, std::string_view replacement);
// Lines separated by CR, counted from 0. Appends line n without its LFs to
// out; returns whether anything was appended.
bool GetLine(std::string_view text, int n, std::string &out);

// ":nick!user@host" -> "nick"; without '!' the text up to the first blank.
std::string NickFromPrefix(std::string_view prefix);
// The blank-delimited word after the first '@'; empty without '@'.
std::string HostFromPrefix(std::string_view prefix);
// The text without one leading ':'.
std::string StripColon(std::string_view text);
