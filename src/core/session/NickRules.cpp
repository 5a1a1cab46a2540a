#include "session/NickRules.h"

std::string CleanNick(const std::string &nick)
{
    std::string clean;
    for (char c : nick) {
        if (c != ' ' && c != '"' && c != '\'')
            clean += c;
    }
    return clean;
}
