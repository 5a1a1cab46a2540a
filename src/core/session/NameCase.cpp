#include "session/NameCase.h"

#include <QString>

namespace {

QString ToQString(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsAscii(const std::string &text)
{
    for (unsigned char c : text) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

} // namespace

std::string LowerName(const std::string &name)
{
    if (IsAscii(name)) {
        std::string lower = name;
        for (char &c : lower) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return lower;
    }
    return ToQString(name).toLower().toStdString();
}

bool EqualNoCase(const std::string &a, const std::string &b)
{
    return LowerName(a) == LowerName(b);
}
