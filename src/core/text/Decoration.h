#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

// The pieces a conversation line is built from: the time stamp span, the
// span in the colour of the line's class, and the decoration that turns
// channel names, known nicks, addresses and smileys of a converted line into
// clickable elements or images. All functions are pure.

// What the decoration needs to know about the window that shows the line.
struct DecorationContext
{
    bool m_smileys = true;             // the window's smiley toggle
    bool m_hiLighting = false;         // "HiLighting"
    bool m_sessionExists = true;       // the window's session still exists
    std::string m_ownNick;             // the session's current nick
    uint32_t m_colorMyText = 0xEE4040; // "MyText"
    uint32_t m_colorABText = 0x50AA50; // "ABText"
    // Called with the word without one leading '@' and then one leading '+';
    // true when a member of the nick list has that nick (compared without
    // regard to case, the member's own '@' or '+' skipped; see
    // NickMatchesMember). Empty: no nick list.
    std::function<bool(std::string_view nick)> m_isNickListMember;
    // Called with the word in lower case; true when the address book has
    // that contact. Empty: no address book.
    std::function<bool(std::string_view lowerNick)> m_isContact;
    // Folder of the smiley images (no trailing separator).
    std::string m_smileyFolder;
};

// "<span style='z-index: 5; background-color: %s; color: #%s;'>[HH:MM]</span> "
// with the local time of t (0 means now).
std::string TimeStampSpan(std::time_t t, uint32_t background, uint32_t timeColor);
// "<span style='background-color: #%s; color: #%s;'>" (white gives
// "#transparent", as the program always wrote it).
std::string ClassColorSpan(uint32_t background, uint32_t lineColor);

// The converted line (ConvertToHtml's output) with channels, nicks, addresses
// and smileys replaced by their elements. Whatever goes into an attribute is
// escaped, so no word can add attributes or change an element's command.
std::string DecorateLine(std::string_view html, const DecorationContext &context);
// The same, appended to out.
void AppendDecoratedLine(std::string &out, std::string_view html, const DecorationContext &context);

// Whether a word (already without its '@'/'+') names the nick list member,
// whose own leading '@' or '+' is skipped; compared without regard to case.
bool NickMatchesMember(std::string_view nick, std::string_view member);

// The image file ("1.gif" .. "13.gif") of a smiley token, or nullptr.
const char *SmileyFile(std::string_view word);
// The first token of the image file's row (":)" for "1.gif"), or nullptr:
// what copying a smiley image gives as text.
const char *SmileyToken(std::string_view file);

// Text made safe inside a quoted attribute: & < > ' " and control bytes as
// character references.
std::string EscapeAttribute(std::string_view text);
// The text with the entities a browser would decode (&lt; &gt; &amp; &quot;
// &apos; &nbsp; &#N; &#xN;) decoded; anything else is left as it is.
std::string DecodeEntities(std::string_view text);
// Decodes the one reference that starts with the '&' at pos: appends its
// character to out and returns its length ("&lt;" gives 4). Text there that
// is not one whole reference gives 0 and leaves out unchanged: "&D</b> &lt;"
// is not a reference, whatever follows it.
size_t DecodeEntityAt(std::string_view text, size_t pos, std::string &out);
