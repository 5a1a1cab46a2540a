#pragma once

#include <string>

// The program's numbered Slovak texts (UTF-8), looked up by number. Many are
// printf formats and keep their conversions exactly.
class Strings
{
public:
    // The text of id; "" for an unknown id, never null.
    static const char *Get(int id);
    // The text of id filled printf-style with the arguments.
    static std::string Format(int id, ...);
    // Whether the table has a text for id.
    static bool Has(int id);
};
