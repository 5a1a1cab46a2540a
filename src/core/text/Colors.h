#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The 16-entry IRC colour table and the conversions between colour values
// (0xRRGGBB) and their six-digit text form used in the configuration file and
// in HTML.

constexpr int kIrcColorCount = 16;

// HTML colour of an IRC colour index ("White" for an index outside 0..15).
const char *ColorName(int index);
// RGB value the input line's editor uses for an index (black outside 0..15).
uint32_t IndexToColor(int index);
// Slovak label of the colour picker's menu item for an index ("" outside 0..15).
const char *ColorMenuLabel(int index);
// The index whose editor RGB equals rgb exactly, else fallback.
int ColorToIndex(uint32_t rgb, int fallback);
// "RRGGBB" in upper case; pure white gives "transparent".
std::string ColorToHex(uint32_t rgb);
// Reads exactly six hexadecimal digits RRGGBB; anything else gives black.
uint32_t HexToColor(std::string_view text);
