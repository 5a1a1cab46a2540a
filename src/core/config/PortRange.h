#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The ports our DCC offers listen on, tried in order: the setting "DCC Ports"
// as "first-last" ("1024-2000", the default), or one port ("5000").
struct PortRange
{
    static constexpr uint16_t kDefaultFirst = 1024;
    static constexpr uint16_t kDefaultLast = 2000;

    uint16_t first = kDefaultFirst;
    uint16_t last = kDefaultLast;

    // Blanks around the numbers are allowed; ports 1..65535, first <= last.
    // Nothing for anything else. An empty text is the default range.
    static std::optional<PortRange> Parse(const std::string &text);
    std::string Text() const;

    bool operator==(const PortRange &other) const = default;
};
