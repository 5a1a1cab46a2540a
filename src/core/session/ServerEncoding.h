#pragma once

#include <string>
#include <string_view>

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// A received server line as UTF-8: a valid UTF-8 line unchanged, any other
// line decoded from windows-1250, the code page of older Slovak clients.
// Bytes that code page leaves undefined become U+FFFD.
std::string ServerLineToUtf8(std::string_view line);
