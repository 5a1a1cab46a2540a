#pragma once

#include <cstdarg>
#include <string>

#if defined(__GNUC__) || defined(__clang__)
#define BRIMO_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define BRIMO_PRINTF_FORMAT(fmtIndex, firstArg)
#endif

// printf into a std::string of exactly the needed size. A null format gives an
// empty text.
std::string StrPrintf(const char *fmt, ...) BRIMO_PRINTF_FORMAT(1, 2);
std::string VStrPrintf(const char *fmt, va_list args);
