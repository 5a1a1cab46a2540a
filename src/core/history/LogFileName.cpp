#include "history/LogFileName.h"

#include "text/CaseFold.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace {

bool MustEscape(unsigned char c)
{
    if (c < 0x20 || c == 0x7F)
        return true;
    static constexpr std::string_view kRefused = "%/\\:*?\"<>|";
    return kRefused.find(static_cast<char>(c)) != std::string_view::npos;
}

void AppendEscaped(std::string &out, unsigned char c)
{
    std::array<char, 4> escaped{};
    std::snprintf(escaped.data(), escaped.size(), "%%%02X", c);
    out += escaped.data();
}

// "con", "Nul.txt", "COM1.log": names Windows keeps for devices, whatever
// follows a dot.
bool IsReservedOnWindows(std::string_view name)
{
    const std::string_view stem = name.substr(0, name.find('.'));
    static constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
    for (std::string_view device : kDevices)
        if (EqualIgnoringAsciiCase(stem, device))
            return true;
    if (stem.size() != 4 || stem[3] < '1' || stem[3] > '9')
        return false;
    return EqualIgnoringAsciiCase(stem.substr(0, 3), "com") || EqualIgnoringAsciiCase(stem.substr(0, 3), "lpt");
}

} // namespace

std::string SafeFileName(std::string_view name)
{
    if (name.empty())
        return "%";
    std::string out;
    out.reserve(name.size() + 8);
    const bool reserved = IsReservedOnWindows(name);
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const bool first = i == 0;
        const bool last = i + 1 == name.size();
        if (MustEscape(c) || (first && (c == '.' || reserved)) || (last && (c == '.' || c == ' ')))
            AppendEscaped(out, c);
        else
            out += static_cast<char>(c);
    }
    return out;
}

std::string NameOfSafeFileName(std::string_view fileName)
{
    if (fileName == "%")
        return std::string();
    std::string name;
    name.reserve(fileName.size());
    for (size_t i = 0; i < fileName.size(); ++i) {
        unsigned byte = 0;
        const char *digits = fileName.data() + i + 1;
        const bool escaped = fileName[i] == '%' && i + 2 < fileName.size()
            && std::from_chars(digits, digits + 2, byte, 16).ptr == digits + 2;
        if (escaped) {
            name += static_cast<char>(byte);
            i += 2;
        } else {
            name += fileName[i];
        }
    }
    return name;
}
