#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Text longer than one protocol line is sent as several lines. A server takes
// a line of at most 512 bytes with its CR LF, and it relays our messages to
// others with our address in front (":nick!user@host PRIVMSG target :text"),
// so what fits is counted on the relayed line. Pure functions.
namespace MessageSplit {

// The longest line, CR LF included, that a server takes or relays.
constexpr size_t kMaxLineBytes = 512;

// How many bytes of text fit in a line that the server relays as
// ":<prefix> <command> <target> :<text>" CR LF in kMaxLineBytes, with
// prefixLength the length of "nick!user@host". 0 when nothing fits.
size_t TextBudget(size_t prefixLength, std::string_view command, std::string_view target);

// Cuts text into parts of at most maxBytes bytes. A cut never falls inside a
// UTF-8 character (a byte sequence that is not UTF-8 is cut anywhere); when a
// blank lies near the end of a part the cut goes before it, and the blank
// begins the next part, so the parts put together are the text again. Empty
// text gives one empty part. With maxBytes below 4 a character may not fit:
// such a character becomes a part of its own.
std::vector<std::string> SplitText(std::string_view text, size_t maxBytes);

// The message shown when a line is refused for its length (bytes with CR LF).
std::string LineTooLongText(size_t bytes);

} // namespace MessageSplit
