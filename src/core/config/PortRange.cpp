#include "config/PortRange.h"

#include <cctype>

namespace {

std::string Trimmed(const std::string &text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<uint16_t> PortOf(const std::string &word)
{
    const std::string digits = Trimmed(word);
    if (digits.empty() || digits.size() > 5)
        return std::nullopt;
    unsigned value = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + unsigned(c - '0');
    }
    if (value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

} // namespace

std::optional<PortRange> PortRange::Parse(const std::string &text)
{
    if (Trimmed(text).empty())
        return PortRange{};
    const size_t dash = text.find('-');
    const std::optional<uint16_t> first = PortOf(text.substr(0, dash));
    const std::optional<uint16_t> last = dash == std::string::npos ? first : PortOf(text.substr(dash + 1));
    if (!first || !last || *first > *last)
        return std::nullopt;
    return PortRange{*first, *last};
}

std::string PortRange::Text() const
{
    return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}
