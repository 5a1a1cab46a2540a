#include "config/ValueChecks.h"

#include "platform/Profile.h"

#include <cstring>

namespace {

constexpr unsigned kHighestPort = 65535;

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

// A blank, a tab, a line break or any other control character.
bool HasBlankOrControl(const std::string &text)
{
    for (unsigned char c : text)
        if (c <= ' ' || c == 0x7F)
            return true;
    return false;
}

} // namespace

Refusal CheckNick(const std::string &nick)
{
    if (nick.empty())
        return Str::NickEmpty;
    if (!IsAsciiLetter(nick.front()) && !IsNickSign(nick.front()))
        return Str::NickBadStart;
    for (char c : nick)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && !IsNickSign(c) && c != '-')
            return Str::NickBadCharacter;
    return std::nullopt;
}

Refusal CheckHost(const std::string &host)
{
    if (host.empty())
        return Str::HostEmpty;
    for (char c : host) {
        // Bytes above ASCII: the letters of a name written in its own script.
        const bool other = static_cast<unsigned char>(c) >= 0x80;
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && !other && c != '.' && c != '-' && c != ':' && c != '_')
            return Str::HostBadCharacter;
    }
    return std::nullopt;
}

Refusal CheckPort(const std::string &text)
{
    const size_t digits = !text.empty() && text.front() == '+' ? 1 : 0;
    if (text.size() == digits)
        return Str::PortNotNumber;
    unsigned port = 0;
    for (size_t i = digits; i < text.size(); ++i) {
        if (!IsAsciiDigit(text[i]))
            return Str::PortNotNumber;
        port = port * 10 + unsigned(text[i] - '0');
        if (port > kHighestPort)
            return Str::PortOutOfRange;
    }
    if (port < 1)
        return Str::PortOutOfRange;
    return std::nullopt;
}

Refusal CheckEmail(const std::string &email)
{
    if (HasBlankOrControl(email))
        return Str::EmailBadCharacter;
    return std::nullopt;
}

Refusal CheckServerName(const std::string &name)
{
    // The name is also part of the section name of its channel group.
    if (!Profile::IsStorableKey(name) || !Profile::IsStorableSection(name))
        return Str::ServerNameBad;
    return std::nullopt;
}

Refusal CheckChannelName(const std::string &name)
{
    if (name.empty() || HasBlankOrControl(name) || name.find('=') != std::string::npos)
        return Str::ChannelNameBad;
    return std::nullopt;
}
