#pragma once

#include <string>
#include <string_view>

// IRC formatting bytes (bold 0x02, colour 0x03, plain 0x0F, reverse 0x16,
// underline 0x1F) to HTML, and their removal.

namespace IrcCode {
constexpr char kBold = 0x02;
constexpr char kColor = 0x03;
constexpr char kPlain = 0x0F;
constexpr char kReverse = 0x16;
constexpr char kUnderline = 0x1F;
} // namespace IrcCode

// IRC text to an HTML fragment that shows exactly the text: '<', '>' and '&'
// are always escaped. 0x0F closes bold, underline and every colour; a 0x03
// without digits closes every colour and background. Whatever is still open
// is closed at the end, so nothing carries over to the next line.
std::string ConvertToHtml(std::string_view text);
// The same, appended to out (lets a caller build a whole line in one buffer).
void AppendHtml(std::string &out, std::string_view text);
// The text without formatting bytes (a colour code goes with its digits).
std::string StripCodes(std::string_view text);
// The text without anything between '<' and '>' (nested depth counted).
std::string StripTags(std::string_view text);
