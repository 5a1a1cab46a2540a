#pragma once

#include "text/Strings.h"

#include <QString>

#include <string_view>

// The core keeps text as UTF-8 bytes; a widget wants a QString. Every
// conversion on the way to a widget goes through here, so a name with a byte
// that is not UTF-8 shows the same replacement character everywhere.
inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the program's string table.
inline QString FromStr(StrId id)
{
    return QString::fromUtf8(Strings::Get(id));
}
