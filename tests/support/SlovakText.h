#pragma once

#include <iterator>
#include <string>

inline bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

inline size_t CountCharacters(const std::string &text)
{
    size_t count = 0;
    for (char c : text)
        count += IsUtf8Continuation(c) ? 0 : 1;
    return count;
}

// Slovak prose of exactly `characters` characters (UTF-8, many letters of
// two bytes), not ending in a blank.
inline std::string SlovakText(size_t characters)
{
    static const char *const kWords[] = {"Kôň",    "ďateľ", "ľúbil",    "šťavnaté", "žlté",
                                         "jablká", "a",     "čerstvú",  "trávu",    "pri",
                                         "Dunaji", "vo",    "Štúrove;", "úžasné",   "ráno!"};
    std::string text = kWords[0];
    for (size_t word = 1; CountCharacters(text) <= characters; ++word)
        text += std::string(" ") + kWords[word % std::size(kWords)];
    size_t count = 0;
    size_t end = 0;
    for (; end < text.size(); ++end) {
        if (!IsUtf8Continuation(text[end]) && count++ == characters)
            break;
    }
    text.resize(end);
    if (text.back() == ' ')
        text.back() = 'x';
    return text;
}
