#include "text/CaseFold.h"

#include <QString>

namespace {

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string AsciiLowered(std::string_view text)
{
    std::string lowered(text);
    for (char &c : lowered)
        c = AsciiLower(c);
    return lowered;
}

} // namespace

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

std::string FoldCase(std::string_view text)
{
    // On ASCII, Unicode folding is lower-casing A-Z: most names are ASCII,
    // and the decoration folds every word of every line.
    if (IsAscii(text))
        return AsciiLowered(text);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded().toStdString();
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    // Only when both are ASCII: a non-ASCII character may fold to an ASCII
    // one (the Kelvin sign to "k").
    if (IsAscii(a) && IsAscii(b))
        return EqualIgnoringAsciiCase(a, b);
    return FoldCase(a) == FoldCase(b);
}
