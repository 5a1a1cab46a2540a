#include "text/IrcCodes.h"

#include "text/Colors.h"

#include <array>

namespace {

using IrcCode::kBold;
using IrcCode::kColor;
using IrcCode::kPlain;
using IrcCode::kReverse;
using IrcCode::kUnderline;

constexpr std::string_view kReverseSpan = "<span style='background-color:Black;color:White;'>";
constexpr std::string_view kSpanEnd = "</span>";

// Bytes that ConvertToHtml does not copy as they are; everything else is
// copied in runs.
constexpr std::array<bool, 256> MakeHtmlSpecialTable()
{
    std::array<bool, 256> table{};
    for (unsigned char c : {kBold, kColor, kPlain, kReverse, kUnderline, '<', '>', '&'})
        table[c] = true;
    return table;
}
constexpr std::array<bool, 256> kHtmlSpecial = MakeHtmlSpecialTable();

constexpr std::array<bool, 256> MakeCodeTable()
{
    std::array<bool, 256> table{};
    for (unsigned char c : {kBold, kColor, kPlain, kReverse, kUnderline})
        table[c] = true;
    return table;
}
constexpr std::array<bool, 256> kFormattingByte = MakeCodeTable();

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads up to two decimal digits at pos; returns the number, or -1 (and pos
// unchanged) when there is no digit.
int ReadColorNumber(std::string_view text, size_t &pos)
{
    if (pos >= text.size() || !IsDigit(text[pos]))
        return -1;
    int number = text[pos++] - '0';
    if (pos < text.size() && IsDigit(text[pos]))
        number = number * 10 + (text[pos++] - '0');
    return number;
}

// pos is just after the 0x03; moves it past the digits and the comma taken.
// A 0x03 without digits opens nothing and gives false.
bool AppendColorSpan(std::string &out, std::string_view text, size_t &pos)
{
    const int foreground = ReadColorNumber(text, pos);
    int background = -1;
    if (pos + 1 < text.size() && text[pos] == ',' && IsDigit(text[pos + 1])) {
        ++pos;
        background = ReadColorNumber(text, pos);
    }
    if (foreground < 0 && background < 0)
        return false;
    out += "<span style='";
    if (foreground >= 0) {
        out += "color:";
        out += ColorName(foreground);
        out += ';';
    }
    if (background >= 0) {
        out += "background-color:";
        out += ColorName(background);
        out += ';';
    }
    out += "'>";
    return true;
}

void CloseSpans(std::string &out, int &openSpans)
{
    for (; openSpans > 0; --openSpans)
        out += kSpanEnd;
}

// Bold and underline close before the spans, as at the end of a text.
void CloseAll(std::string &out, bool &bold, bool &underline, int &openSpans)
{
    if (bold)
        out += "</b>";
    if (underline)
        out += "</u>";
    bold = underline = false;
    CloseSpans(out, openSpans);
}

// Skips the digits (and comma) of a colour code the way StripCodes removes
// them: a comma after the foreground digits goes even without digits after it.
size_t SkipColorCode(std::string_view text, size_t pos)
{
    const bool hadForeground = ReadColorNumber(text, pos) >= 0;
    if (hadForeground && pos < text.size() && text[pos] == ',') {
        ++pos;
        ReadColorNumber(text, pos);
    }
    return pos;
}

} // namespace

void AppendHtml(std::string &out, std::string_view text)
{
    bool bold = false;
    bool underline = false;
    int openSpans = 0;
    // Room for the text and a few tags; long coloured lines grow once or twice.
    out.reserve(out.size() + text.size() + text.size() / 2 + 32);

    size_t pos = 0;
    while (pos < text.size()) {
        size_t runEnd = pos;
        while (runEnd < text.size() && !kHtmlSpecial[static_cast<unsigned char>(text[runEnd])])
            ++runEnd;
        out.append(text.data() + pos, runEnd - pos);
        if (runEnd >= text.size())
            break;
        pos = runEnd + 1;
        switch (text[runEnd]) {
        case kBold:
            out += bold ? "</b>" : "<b>";
            bold = !bold;
            break;
        case kUnderline:
            out += underline ? "</u>" : "<u>";
            underline = !underline;
            break;
        case kReverse:
            out += kReverseSpan;
            ++openSpans;
            break;
        case kPlain:
            CloseAll(out, bold, underline, openSpans);
            break;
        case kColor:
            // A bare 0x03 ends every colour and background (reverse included).
            if (AppendColorSpan(out, text, pos))
                ++openSpans;
            else
                CloseSpans(out, openSpans);
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        }
    }
    CloseAll(out, bold, underline, openSpans);
}

std::string ConvertToHtml(std::string_view text)
{
    std::string html;
    AppendHtml(html, text);
    return html;
}

std::string StripCodes(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        size_t runEnd = pos;
        while (runEnd < text.size() && !kFormattingByte[static_cast<unsigned char>(text[runEnd])])
            ++runEnd;
        plain.append(text.data() + pos, runEnd - pos);
        if (runEnd >= text.size())
            break;
        pos = runEnd + 1;
        if (text[runEnd] == kColor)
            pos = SkipColorCode(text, pos);
    }
    return plain;
}

std::string StripTags(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    int depth = 0;
    for (char c : text) {
        if (c == '<')
            ++depth;
        else if (c == '>')
            --depth;
        else if (depth == 0)
            plain += c;
    }
    return plain;
}
