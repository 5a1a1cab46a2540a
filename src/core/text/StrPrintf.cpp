#include "text/StrPrintf.h"

#include <cstdio>

std::string VStrPrintf(const char *fmt, va_list args)
{
    if (!fmt)
        return {};
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, fmt, sizing);
    va_end(sizing);
    if (length <= 0)
        return {};
    std::string result(static_cast<size_t>(length), '\0');
    // vsnprintf writes the terminating NUL too; std::string keeps room for it.
    std::vsnprintf(result.data(), result.size() + 1, fmt, args);
    return result;
}

std::string StrPrintf(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string result = VStrPrintf(fmt, args);
    va_end(args);
    return result;
}
