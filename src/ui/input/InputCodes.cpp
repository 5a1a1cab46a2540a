#include "input/InputCodes.h"

#include <algorithm>

#include "text/Colors.h"
#include "text/IrcCodes.h"

namespace {

using IrcCode::kBold;
using IrcCode::kColor;
using IrcCode::kPlain;
using IrcCode::kReverse;
using IrcCode::kUnderline;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// Up to two decimal digits from position i on; -1 when there is none.
int ReadColorNumber(std::string_view text, size_t &i)
{
    int value = -1;
    for (int taken = 0; taken < 2 && i < text.size() && IsDigit(text[i]); ++taken, ++i)
        value = (value < 0 ? 0 : value * 10) + (text[i] - '0');
    return value;
}

void AppendCodes(std::string &out, const InputCharFormat &previous, const InputCharFormat &current, char nextCharacter)
{
    if (current.color != previous.color || current.background != previous.background) {
        out += kColor;
        out += std::to_string(ColorToIndex(current.color, 1));
        out += ',';
        out += std::to_string(ColorToIndex(current.background, 0));
        if (IsDigit(nextCharacter))
            out += ' ';
    }
    if (current.bold != previous.bold)
        out += kBold;
    if (current.underline != previous.underline)
        out += kUnderline;
}

void AppendText(InputRuns &runs, const InputCharFormat &format, std::string_view text)
{
    if (text.empty())
        return;
    if (!runs.empty() && runs.back().format == format)
        runs.back().text.append(text);
    else
        runs.push_back(InputRun{std::string(text), format});
}

} // namespace

std::string InputCodes::GetTextWithCodes(const InputRuns &runs, uint32_t windowColor)
{
    std::string out;
    InputCharFormat previous;
    previous.background = windowColor;
    for (const InputRun &run : runs) {
        if (run.text.empty())
            continue;
        // Within a run the format does not change, so codes can only come
        // before its first character.
        AppendCodes(out, previous, run.format, run.text.front());
        out += run.text;
        previous = run.format;
    }
    return out;
}

InputRuns InputCodes::SetTextWithCodes(std::string_view text, uint32_t windowColor)
{
    InputRuns runs;
    InputCharFormat format;
    format.background = windowColor;
    size_t start = 0; // first byte of the pending plain text
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!IsControl(c)) {
            ++i;
            continue;
        }
        AppendText(runs, format, text.substr(start, i - start));
        ++i;
        switch (static_cast<char>(c)) {
        case kBold:
            format.bold = !format.bold;
            break;
        case kUnderline:
            format.underline = !format.underline;
            break;
        case kPlain:
            format.color = kBlack;
            format.background = kWhite;
            break;
        case kReverse:
            format.color = kWhite;
            format.background = kBlack;
            break;
        case kColor: {
            const int foreground = ReadColorNumber(text, i);
            if (i < text.size() && text[i] == ',') {
                ++i;
                const int background = ReadColorNumber(text, i);
                format.background = IndexToColor(background < 0 ? 0 : background);
            }
            if (foreground >= 0)
                format.color = IndexToColor(foreground);
            break;
        }
        default:
            break; // other control bytes never reach the line
        }
        start = i;
    }
    AppendText(runs, format, text.substr(start));
    return runs;
}

std::string InputCodes::PlainText(const InputRuns &runs)
{
    std::string out;
    for (const InputRun &run : runs)
        out += run.text;
    return out;
}

std::string InputCodes::CleanPastedText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF of the pair gives the blank
        if (c == '\r' || c == '\n' || c == '\t')
            out += ' ';
        else if (!IsControl(c))
            out += static_cast<char>(c);
    }
    return out;
}

std::vector<std::string> InputCodes::PastedLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        std::string line = CleanPastedText(text.substr(start, end - start));
        if (line.find_first_not_of(' ') != std::string::npos)
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

int InputCodes::CharacterCount(std::string_view text)
{
    int count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}
