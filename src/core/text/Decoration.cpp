#include "text/Decoration.h"

#include "text/CaseFold.h"
#include "text/IrcCodes.h"
#include "text/Strings.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace {

// Only this much of a word takes part in the tests; the rest stays text.
constexpr size_t kTestedWordLength = 3996;

struct SmileyRow
{
    const char *file;
    std::array<std::string_view, 5> tokens;
};

// The first row that lists a token wins.
constexpr SmileyRow kSmileys[] = {
    {"1.gif", {":)", ":-)", ":]", ":-]"}},
    {"2.gif", {":))", ":-))", ":>", ":]]", ":-]]"}},
    {"3.gif", {":)))", ":-)))", ":]]]", ":-]]]", ":D"}},
    {"4.gif", {":("}},
    {"5.gif", {";)", ";]", ";-)", ";-]"}},
    {"6.gif", {":?", ":~", ":{", ":}"}},
    {"7.gif", {"8)", "8-)"}},
    {"10.gif", {":*"}},
    {"12.gif", {":|", ":I", ":-|"}},
    {"13.gif", {":o", ":O", ":-o", ":-O", ":-0"}},
    {"8.gif", {":eek:", "oo)", "oo|"}},
    {"9.gif", {":evil:"}},
    {"11.gif", {":idea:"}},
};

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// ColorToHex without printf: lines are built by the thousand a second.
void AppendHex(std::string &out, uint32_t rgb)
{
    rgb &= 0xFFFFFF;
    if (rgb == 0xFFFFFF) {
        out += "transparent";
        return;
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 20; shift >= 0; shift -= 4)
        out += kDigits[(rgb >> shift) & 0xF];
}

// Appends text escaped for a quoted attribute.
void AppendEscaped(std::string &out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                out += "&#";
                out += std::to_string(static_cast<unsigned char>(c));
                out += ';';
            } else {
                out += c;
            }
        }
    }
}

// A cut that would split a UTF-8 character moves back to its first byte.
size_t Utf8SafeCut(std::string_view text, size_t length)
{
    if (length >= text.size())
        return text.size();
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    return length;
}

void AppendUtf8(std::string &out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

} // namespace

size_t DecodeEntityAt(std::string_view text, size_t pos, std::string &out)
{
    // Only a ';' within 11 bytes of the '&' can end a reference the program
    // reads ("&#x10FFFF;" and the named ones are shorter).
    const size_t semicolon = text.substr(pos, 11).find(';');
    if (semicolon == std::string_view::npos)
        return 0;
    const std::string_view name = text.substr(pos + 1, semicolon - 1);
    static constexpr std::pair<const char *, const char *> kNamed[] = {
        {"lt", "<"}, {"gt", ">"}, {"amp", "&"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
    for (const auto &[entity, replacement] : kNamed) {
        if (name == entity) {
            out += replacement;
            return semicolon + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty())
        return 0;
    uint32_t code = 0;
    for (char c : digits) {
        int value;
        if (c >= '0' && c <= '9')
            value = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            value = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            value = c - 'A' + 10;
        else
            return 0;
        code = code * (hex ? 16 : 10) + uint32_t(value);
        if (code > 0x10FFFF)
            code = 0x110000; // stays invalid without overflowing
    }
    // As a browser does: no NUL, no surrogate, nothing past Unicode.
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    AppendUtf8(out, code);
    return semicolon + 1;
}

namespace {

// What the reader sees of a piece of HTML: tags dropped, entities decoded.
// Most words have neither, and are used as they are.
std::string_view PlainOf(std::string_view html, std::string &storage)
{
    if (html.find_first_of("<&") == std::string_view::npos)
        return html;
    storage = DecodeEntities(StripTags(html));
    return storage;
}

// Appends the string-table text with its one "%s" filled in, escaped;
// formats of another shape go through printf.
void AppendFilledEscaped(std::string &out, StrFormat<const char *> title, std::string_view word)
{
    const std::string_view format = Strings::Get(title);
    const size_t at = format.find("%s");
    if (at == std::string_view::npos || format.find('%', at + 2) != std::string_view::npos
        || format.substr(0, at).find('%') != std::string_view::npos) {
        AppendEscaped(out, Strings::Format(title, std::string(word).c_str()));
        return;
    }
    AppendEscaped(out, format.substr(0, at));
    AppendEscaped(out, word);
    AppendEscaped(out, format.substr(at + 2));
}

// <span id='PREFIX WORD' title='TITLE' style='STYLE'>CONTENT</span>, the
// attributes escaped. A title without a number ({}) is the word itself.
void AppendElement(std::string &out, std::string_view commandPrefix, std::string_view word,
                   StrFormat<const char *> title, std::string_view style, std::string_view content)
{
    out += "<span id='";
    AppendEscaped(out, commandPrefix);
    AppendEscaped(out, word);
    out += "' title='";
    if (title.number > 0)
        AppendFilledEscaped(out, title, word);
    else
        AppendEscaped(out, word);
    out += "' style='";
    out += style;
    out += "'>";
    out += content;
    out += "</span>";
}

// The tags inside a word, in order, without the text between them.
void AppendTagsOf(std::string &out, std::string_view word)
{
    int depth = 0;
    for (char c : word) {
        if (c == '<')
            ++depth;
        if (depth > 0)
            out += c;
        if (c == '>' && depth > 0)
            --depth;
    }
}

// The element of a clickable word (a channel, a nick, an address). The word
// shows without its formatting, and the tags it held follow the element:
// they still open and close what the rest of the line expects (a word just
// before a colour code holds the first half of the colour's tag; the last
// word of a formatted line holds the line's closing tags).
void AppendWordElement(std::string &out, std::string_view commandPrefix, std::string_view word,
                       StrFormat<const char *> title, std::string_view style)
{
    std::string storage;
    const std::string_view plain = PlainOf(word, storage);
    if (word.find('<') == std::string_view::npos) {
        AppendElement(out, commandPrefix, plain, title, style, word);
        return;
    }
    AppendElement(out, commandPrefix, plain, title, style, StripTags(word));
    AppendTagsOf(out, word);
}

void AppendChannel(std::string &out, std::string_view word)
{
    AppendWordElement(out, "/join ", word, Str::ClickToJoin, "cursor: hand;");
}

bool IsNick(std::string_view word, const DecorationContext &context, bool &isContact)
{
    isContact = false;
    if (context.m_isContact) {
        thread_local std::string lowered;
        lowered.assign(word);
        for (char &c : lowered)
            c = AsciiLower(c);
        isContact = context.m_isContact(lowered);
    }
    std::string_view nick = word;
    if (StartsWith(nick, "@"))
        nick.remove_prefix(1);
    if (StartsWith(nick, "+"))
        nick.remove_prefix(1);
    const bool member = !nick.empty() && context.m_isNickListMember && context.m_isNickListMember(nick);
    return member || isContact;
}

void AppendNick(std::string &out, std::string_view word, std::string_view nick, bool isContact,
                const DecorationContext &context)
{
    std::string style = "cursor: hand;";
    if (context.m_hiLighting && context.m_sessionExists) {
        if (nick == context.m_ownNick) {
            style += " color: #";
            AppendHex(style, context.m_colorMyText);
            style += ';';
        } else if (isContact) {
            style += " color: #";
            AppendHex(style, context.m_colorABText);
            style += ';';
        }
    }
    AppendWordElement(out, "/query ", word, Str::ClickToQuery, style);
}

bool IsAddress(std::string_view word)
{
    return (StartsWith(word, "http://") && word.size() >= 8) || (StartsWith(word, "https://") && word.size() >= 9)
        || (StartsWith(word, "ftp://") && word.size() >= 7) || (StartsWith(word, "www.") && word.size() >= 5);
}

// Underlined, so that a reader sees what can be clicked.
void AppendAddress(std::string &out, std::string_view word)
{
    AppendWordElement(out, "/link ", word, {}, "cursor: hand; text-decoration: underline;");
}

// Smiley tokens are compared with what the reader sees, so ":>" (written
// ":&gt;" by the conversion) is a smiley too.
const char *SmileyOfWord(std::string_view word)
{
    if (word.find('&') == std::string_view::npos)
        return SmileyFile(word);
    return SmileyFile(DecodeEntities(word));
}

void AppendSmiley(std::string &out, const char *file, const DecorationContext &context)
{
    out += "<img src=\"";
    AppendEscaped(out, context.m_smileyFolder);
    out += '/';
    out += file;
    out += "\" width=15 height=15 align=middle style='margin-bottom:-6;margin-top:-6'>";
}

// The last word of a formatted line carries the closing tags of the
// conversion ("…;)</span></b>"). Returns the word without them and puts
// them in tags, so a smiley there is still recognised.
std::string_view WithoutClosingTags(std::string_view word, std::string_view &tags)
{
    static constexpr std::string_view kClosers[] = {"</span>", "</b>", "</u>"};
    std::string_view bare = word;
    for (bool found = true; found;) {
        found = false;
        for (std::string_view closer : kClosers) {
            if (bare.size() > closer.size() && bare.substr(bare.size() - closer.size()) == closer) {
                bare.remove_suffix(closer.size());
                found = true;
            }
        }
    }
    tags = word.substr(bare.size());
    return bare;
}

const char *SmileyBeforeClosingTags(std::string_view word, std::string_view &tags)
{
    tags = {};
    if (const char *file = SmileyOfWord(word))
        return file;
    const std::string_view bare = WithoutClosingTags(word, tags);
    if (tags.empty())
        return nullptr;
    return SmileyOfWord(bare);
}

void AppendDecoratedWord(std::string &out, std::string_view word, bool first, const DecorationContext &context)
{
    const size_t tested = Utf8SafeCut(word, kTestedWordLength);
    std::string_view core = word.substr(0, tested);
    std::string_view rest = word.substr(tested);
    std::string_view colon;
    if (first && core.size() >= 2 && core.back() == ':') {
        core.remove_suffix(1);
        colon = ":";
    }
    bool isContact = false;
    if (core.empty()) {
        out += word;
        return;
    }
    if (core.front() == '#') {
        AppendChannel(out, core);
    } else if (std::string_view closers, nick = WithoutClosingTags(core, closers); IsNick(nick, context, isContact)) {
        // The last word of a bold or coloured line holds the line's closing tags.
        AppendNick(out, core, nick, isContact, context);
    } else if (IsAddress(core)) {
        AppendAddress(out, core);
    } else if (std::string_view tags;
               const char *file = context.m_smileys ? SmileyBeforeClosingTags(core, tags) : nullptr) {
        AppendSmiley(out, file, context);
        out += tags;
    } else {
        out += word;
        return;
    }
    out += colon;
    out += rest;
}

// 1 + the blanks before the first LF, or without LF before the first CR.
size_t CountedWords(std::string_view text)
{
    size_t end = text.find('\n');
    if (end == std::string_view::npos)
        end = text.find('\r');
    if (end == std::string_view::npos)
        end = text.size();
    size_t count = 1;
    for (size_t i = 0; i < end; ++i)
        count += text[i] == ' ';
    return count;
}

} // namespace

std::string TimeStampSpan(std::time_t t, uint32_t background, uint32_t timeColor)
{
    if (t == 0)
        t = std::time(nullptr);
    // Lines come many to a minute: the local time of the last minute is kept.
    thread_local std::time_t cachedMinute = -1;
    thread_local char cachedStamp[16] = "";
    if (t / 60 != cachedMinute || t < 0) {
        std::tm local{};
        localtime_r(&t, &local);
        std::snprintf(cachedStamp, sizeof cachedStamp, "[%02d:%02d]", local.tm_hour % 100, local.tm_min % 100);
        cachedMinute = t / 60;
    }
    std::string span = "<span style='z-index: 5; background-color: ";
    AppendHex(span, background);
    span += "; color: #";
    AppendHex(span, timeColor);
    span += ";'>";
    span += cachedStamp;
    span += "</span> ";
    return span;
}

std::string ClassColorSpan(uint32_t background, uint32_t lineColor)
{
    std::string span = "<span style='background-color: #";
    AppendHex(span, background);
    span += "; color: #";
    AppendHex(span, lineColor);
    span += ";'>";
    return span;
}

void AppendDecoratedLine(std::string &out, std::string_view html, const DecorationContext &context)
{
    out.reserve(out.size() + html.size() + html.size() / 2 + 64);
    const size_t words = CountedWords(html);
    size_t start = 0;
    for (size_t n = 1; n <= words; ++n) {
        size_t end = html.find(' ', start);
        if (end == std::string_view::npos)
            end = html.size();
        AppendDecoratedWord(out, html.substr(start, end - start), n == 1, context);
        if (end == html.size())
            return;
        out += ' ';
        start = end + 1;
    }
    out += html.substr(start);
}

std::string DecorateLine(std::string_view html, const DecorationContext &context)
{
    std::string out;
    AppendDecoratedLine(out, html, context);
    return out;
}

bool NickMatchesMember(std::string_view nick, std::string_view member)
{
    if (!member.empty() && (member.front() == '@' || member.front() == '+'))
        member.remove_prefix(1);
    return !nick.empty() && EqualIgnoringAsciiCase(nick, member);
}

const char *SmileyFile(std::string_view word)
{
    // Every token starts with one of these and is at most six bytes long.
    if (word.size() < 2 || word.size() > 6 || std::string_view(":;8o").find(word.front()) == std::string_view::npos)
        return nullptr;
    for (const SmileyRow &row : kSmileys) {
        for (std::string_view token : row.tokens) {
            if (!token.empty() && word == token)
                return row.file;
        }
    }
    return nullptr;
}

const char *SmileyToken(std::string_view file)
{
    for (const SmileyRow &row : kSmileys) {
        if (file == row.file)
            return row.tokens[0].data();
    }
    return nullptr;
}

std::string EscapeAttribute(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    AppendEscaped(out, text);
    return out;
}

std::string DecodeEntities(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            const size_t used = DecodeEntityAt(text, i, out);
            if (used > 0) {
                i += used - 1;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}
