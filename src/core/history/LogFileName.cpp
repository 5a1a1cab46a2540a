#include "history/LogFileName.h"

#include "text/CaseFold.h"

#include <array>
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

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
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
        const int high = fileName[i] == '%' && i + 2 < fileName.size() ? HexDigit(fileName[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(fileName[i + 2]) : -1;
        if (low >= 0) {
            name += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            name += fileName[i];
        }
    }
    return name;
}
