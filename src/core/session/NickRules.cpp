#include "session/NickRules.h"

#include <cstring>

namespace {

bool IsNickSign(char c)
{
    return c != '\0' && std::strchr("[]\\`_^{|}", c) != nullptr;
}

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string CleanNick(const std::string &nick)
{
    std::string clean;
    for (char c : nick) {
        if (c != ' ' && c != '"' && c != '\'')
            clean += c;
    }
    return clean;
}

bool IsUsableNick(const std::string &nick)
{
    if (nick.empty() || CleanNick(nick) != nick)
        return false;
    if (!IsAsciiLetter(nick.front()) && !IsNickSign(nick.front()))
        return false;
    for (char c : nick) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && !IsNickSign(c) && c != '-')
            return false;
    }
    return true;
}
