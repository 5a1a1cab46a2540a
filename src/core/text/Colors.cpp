#include "text/Colors.h"

#include "text/StrPrintf.h"

namespace {

struct IrcColor
{
    const char *html;
    uint32_t editorRgb;
    const char *menuLabel;
};

// Entries 7 and 15 differ on purpose between the HTML and the editor column.
constexpr IrcColor kIrcColors[kIrcColorCount] = {
    {"White", 0xFFFFFF, "Biela"},       {"Black", 0x000000, "Čierna"},          {"Navy", 0x000080, "Modrá"},
    {"Green", 0x008000, "Zelená"},      {"Red", 0xFF0000, "Červená"},           {"Brown", 0x800000, "Hnedá"},
    {"Purple", 0x800080, "Fialová"},    {"FFA500", 0xFF8000, "Oranžová"},       {"Yellow", 0xFFFF00, "Žltá"},
    {"Lime", 0x00FF00, "Bledo Zelená"}, {"Teal", 0x008080, "Tyrkysovo modrá"},  {"Aqua", 0x00FFFF, "Azurová"},
    {"Blue", 0x0000FF, "Bledo Modrá"},  {"Fuchsia", 0xFF00FF, "Bledo Fialová"}, {"Gray", 0x808080, "Šedá"},
    {"Silver", 0xDCDCDC, "Bledo Šedá"},
};

bool IsValidIndex(int index)
{
    return index >= 0 && index < kIrcColorCount;
}

int HexDigitValue(char c)
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

const char *ColorName(int index)
{
    return IsValidIndex(index) ? kIrcColors[index].html : "White";
}

uint32_t IndexToColor(int index)
{
    return IsValidIndex(index) ? kIrcColors[index].editorRgb : 0x000000;
}

const char *ColorMenuLabel(int index)
{
    return IsValidIndex(index) ? kIrcColors[index].menuLabel : "";
}

int ColorToIndex(uint32_t rgb, int fallback)
{
    for (int index = 0; index < kIrcColorCount; ++index) {
        if (kIrcColors[index].editorRgb == rgb)
            return index;
    }
    return fallback;
}

std::string ColorToHex(uint32_t rgb)
{
    rgb &= 0xFFFFFF;
    if (rgb == 0xFFFFFF)
        return "transparent";
    return StrPrintf("%02X%02X%02X", unsigned((rgb >> 16) & 0xFF), unsigned((rgb >> 8) & 0xFF), unsigned(rgb & 0xFF));
}

uint32_t HexToColor(std::string_view text)
{
    if (text.size() != 6)
        return 0x000000;
    uint32_t rgb = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        // A pair the configuration cannot read stays black rather than a half-read value.
        if (digit < 0)
            return 0x000000;
        rgb = (rgb << 4) | uint32_t(digit);
    }
    return rgb;
}
