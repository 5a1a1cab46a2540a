#include "view/HtmlLineParser.h"

#include "text/CaseFold.h"
#include "text/Decoration.h"
#include "widgets/Utf8Text.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr QRgb kDefaultForeground = 0xFF000000;
constexpr QChar kImagePlaceholder(0x00A0);

// The colour names the program writes, with the values a browser gives them.
struct NamedColor
{
    const char *name;
    QRgb rgb;
};
constexpr NamedColor kNamedColors[] = {
    {"white", 0xFFFFFFFF},   {"black", 0xFF000000}, {"navy", 0xFF000080},   {"green", 0xFF008000},
    {"red", 0xFFFF0000},     {"brown", 0xFFA52A2A}, {"purple", 0xFF800080}, {"yellow", 0xFFFFFF00},
    {"lime", 0xFF00FF00},    {"teal", 0xFF008080},  {"aqua", 0xFF00FFFF},   {"blue", 0xFF0000FF},
    {"fuchsia", 0xFFFF00FF}, {"gray", 0xFF808080},  {"silver", 0xFFC0C0C0}, {"orange", 0xFFFFA500},
};

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = AsciiLower(c);
    return (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
}

// "RRGGBB" or "RGB" in hexadecimal digits.
bool ParseHexColor(std::string_view text, QRgb &rgb)
{
    if (text.size() != 6 && text.size() != 3)
        return false;
    uint32_t value = 0;
    for (char c : text) {
        const int digit = HexValue(c);
        if (digit < 0)
            return false;
        value = value * 16 + uint32_t(digit);
        if (text.size() == 3)
            value = value * 16 + uint32_t(digit);
    }
    rgb = 0xFF000000 | value;
    return true;
}

// A CSS colour as the program writes it: a name, "#RRGGBB", or six bare
// hexadecimal digits (as browsers accept them). "transparent" and anything
// unreadable give false.
bool ParseColor(std::string_view value, QRgb &rgb)
{
    std::string_view text = Trimmed(value);
    for (const NamedColor &named : kNamedColors) {
        if (EqualIgnoringAsciiCase(text, named.name)) {
            rgb = named.rgb;
            return true;
        }
    }
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (ParseHexColor(text, rgb))
        return true;
    if (text.empty() || text.size() > 32 || EqualIgnoringAsciiCase(text, "transparent"))
        return false;
    // Other colour names of the web, in case a script writes them.
    const QColor color = QColor::fromString(QLatin1String(text.data(), qsizetype(text.size())));
    if (!color.isValid() || color.alpha() == 0)
        return false;
    rgb = color.rgb();
    return true;
}

int BoundedNumber(std::string_view text, int fallback)
{
    int value = 0;
    bool any = false;
    for (char c : Trimmed(text)) {
        if (c < '0' || c > '9')
            break;
        value = std::min(value * 10 + (c - '0'), 100000);
        any = true;
    }
    return any ? std::clamp(value, 1, 2000) : fallback;
}

bool IsTextStop(unsigned char c)
{
    return c < 0x20 || c == '<' || c == '&' || c == 0x7F;
}

} // namespace

enum class HtmlLineParser::TagKind {
    Span,
    SpanEnd,
    Bold,
    BoldEnd,
    Underline,
    UnderlineEnd,
    Image,
    Break,
    Paragraph,
    ParagraphEnd,
    Div,
    DivEnd,
    Pre,
    PreEnd,
    Body,
    BodyEnd,
    Html,
    HtmlEnd,
};

struct HtmlLineParser::Tag
{
    struct Attribute
    {
        std::string_view name;  // as written
        std::string_view value; // as written, entities not decoded
    };
    // More attributes than the program ever writes are read and dropped.
    static constexpr size_t kMaxAttributes = 12;

    TagKind m_kind = TagKind::Span;
    std::array<Attribute, kMaxAttributes> m_attributes;
    size_t m_count = 0;

    const Attribute *find(std::string_view lowered) const
    {
        for (size_t i = 0; i < m_count; ++i) {
            if (EqualIgnoringAsciiCase(m_attributes[i].name, lowered))
                return &m_attributes[i];
        }
        return nullptr;
    }
    bool has(std::string_view lowered) const { return find(lowered) != nullptr; }
    std::string_view raw(std::string_view lowered) const
    {
        const Attribute *attribute = find(lowered);
        return attribute ? attribute->value : std::string_view();
    }
    std::string text(std::string_view lowered) const
    {
        const std::string_view value = raw(lowered);
        return value.find('&') == std::string_view::npos ? std::string(value) : DecodeEntities(value);
    }
    QString qtext(std::string_view lowered) const
    {
        const std::string_view value = raw(lowered);
        if (value.find('&') == std::string_view::npos)
            return FromUtf8(value);
        return FromUtf8(DecodeEntities(value));
    }
};

namespace {

struct KnownTag
{
    std::string_view name;
    HtmlLineParser::TagKind kind;
};

} // namespace

HtmlLineParser::HtmlLineParser()
{
    Reset();
}

void HtmlLineParser::Reset()
{
    m_spans.clear();
    m_overflowSpans = 0;
    m_bold = 0;
    m_underline = 0;
    m_preformatted = true;
    m_lastWasCR = false;
    m_cachedStyle = -1;
}

void HtmlLineParser::Feed(std::string_view html, StyledDocument &document)
{
    size_t pos = 0;
    while (pos < html.size()) {
        size_t stop = pos;
        while (stop < html.size() && !IsTextStop(static_cast<unsigned char>(html[stop])))
            ++stop;
        if (stop > pos) {
            addText(html.substr(pos, stop - pos), document);
            m_lastWasCR = false;
            pos = stop;
            continue;
        }
        const char c = html[pos];
        if (c == '<') {
            Tag tag;
            size_t end = pos;
            if (parseTag(html, end, tag)) {
                applyTag(tag, document);
                pos = end;
            } else {
                addText("<", document);
                ++pos;
            }
            m_lastWasCR = false;
        } else if (c == '&') {
            const size_t used = addEntity(html, pos, document);
            pos += used > 0 ? used : 1;
            if (used == 0)
                addText("&", document);
            m_lastWasCR = false;
        } else if (c == '\r' || c == '\n') {
            // CR LF is one break, as are a lone CR or LF.
            if (m_preformatted && !(c == '\n' && m_lastWasCR))
                breakLine(document);
            m_lastWasCR = c == '\r';
            ++pos;
        } else if (c == '\t') {
            addText("\t", document);
            m_lastWasCR = false;
            ++pos;
        } else {
            // Other control bytes have no picture; they are left out.
            m_lastWasCR = false;
            ++pos;
        }
    }
}

std::vector<int> HtmlLineParser::OpenLinks() const
{
    std::vector<int> links;
    for (const SpanFrame &frame : m_spans)
        links.push_back(frame.m_link);
    return links;
}

void HtmlLineParser::RenumberLinks(const std::vector<int> &renumbered)
{
    for (SpanFrame &frame : m_spans)
        if (frame.m_link >= 0 && size_t(frame.m_link) < renumbered.size())
            frame.m_link = renumbered[size_t(frame.m_link)];
}

bool HtmlLineParser::parseTag(std::string_view html, size_t &pos, Tag &tag) const
{
    static constexpr KnownTag kKnown[] = {
        {"span", TagKind::Span},   {"/span", TagKind::SpanEnd},   {"b", TagKind::Bold},    {"/b", TagKind::BoldEnd},
        {"u", TagKind::Underline}, {"/u", TagKind::UnderlineEnd}, {"img", TagKind::Image}, {"br", TagKind::Break},
        {"p", TagKind::Paragraph}, {"/p", TagKind::ParagraphEnd}, {"div", TagKind::Div},   {"/div", TagKind::DivEnd},
        {"pre", TagKind::Pre},     {"/pre", TagKind::PreEnd},     {"body", TagKind::Body}, {"/body", TagKind::BodyEnd},
        {"html", TagKind::Html},   {"/html", TagKind::HtmlEnd},
    };
    size_t i = pos + 1;
    const size_t nameStart = i;
    if (i < html.size() && html[i] == '/')
        ++i;
    const size_t letters = i;
    while (i < html.size() && IsNameChar(html[i]))
        ++i;
    if (i == letters || i >= html.size())
        return false;
    const std::string_view name = html.substr(nameStart, i - nameStart);
    const KnownTag *known = std::find_if(std::begin(kKnown), std::end(kKnown),
                                         [&](const KnownTag &k) { return EqualIgnoringAsciiCase(name, k.name); });
    if (known == std::end(kKnown))
        return false;
    tag.m_kind = known->kind;
    if (html[i] != '>' && !IsSpace(html[i]) && html[i] != '/')
        return false;
    while (i < html.size()) {
        while (i < html.size() && IsSpace(html[i]))
            ++i;
        if (i >= html.size())
            return false;
        if (html[i] == '>') {
            pos = i + 1;
            return true;
        }
        if (html[i] == '/') {
            ++i;
            continue;
        }
        const size_t keyStart = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != '=' && html[i] != '>' && html[i] != '/')
            ++i;
        const std::string_view key = html.substr(keyStart, i - keyStart);
        while (i < html.size() && IsSpace(html[i]))
            ++i;
        std::string_view value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsSpace(html[i]))
                ++i;
            if (i >= html.size())
                return false;
            if (html[i] == '\'' || html[i] == '"') {
                const size_t close = html.find(html[i], i + 1);
                if (close == std::string_view::npos)
                    return false;
                value = html.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const size_t valueStart = i;
                while (i < html.size() && !IsSpace(html[i]) && html[i] != '>')
                    ++i;
                value = html.substr(valueStart, i - valueStart);
            }
        }
        if (tag.m_count < Tag::kMaxAttributes)
            tag.m_attributes[tag.m_count++] = Tag::Attribute{key, value};
    }
    return false;
}

void HtmlLineParser::applyTag(const Tag &tag, StyledDocument &document)
{
    m_cachedStyle = -1;
    switch (tag.m_kind) {
    case TagKind::Span:
        openSpan(tag, document);
        break;
    case TagKind::SpanEnd:
        closeSpan();
        break;
    case TagKind::Bold:
        ++m_bold;
        break;
    case TagKind::BoldEnd:
        m_bold = std::max(0, m_bold - 1);
        break;
    case TagKind::Underline:
        ++m_underline;
        break;
    case TagKind::UnderlineEnd:
        m_underline = std::max(0, m_underline - 1);
        break;
    case TagKind::Image:
        addImage(tag, document);
        break;
    case TagKind::Break:
        breakLine(document);
        break;
    case TagKind::Paragraph:
    case TagKind::ParagraphEnd:
        if (!document.LastLine().m_text.isEmpty())
            breakLine(document);
        break;
    case TagKind::Pre:
        m_preformatted = true;
        break;
    case TagKind::PreEnd:
    case TagKind::Body:
        m_preformatted = false;
        break;
    default:
        break;
    }
}

void HtmlLineParser::openSpan(const Tag &tag, StyledDocument &document)
{
    if (int(m_spans.size()) >= kMaxSpanDepth) {
        ++m_overflowSpans;
        return;
    }
    SpanFrame frame = m_spans.empty() ? SpanFrame{kDefaultForeground, 0, -1, false} : m_spans.back();
    std::string_view rest = tag.raw("style");
    while (!rest.empty()) {
        const size_t semicolon = rest.find(';');
        const std::string_view declaration = rest.substr(0, semicolon);
        rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
        const size_t colon = declaration.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view property = Trimmed(declaration.substr(0, colon));
        const std::string_view value = declaration.substr(colon + 1);
        QRgb rgb;
        if (EqualIgnoringAsciiCase(property, "color") && ParseColor(value, rgb))
            frame.m_foreground = rgb;
        // A transparent background shows the one below it.
        else if (EqualIgnoringAsciiCase(property, "background-color") && ParseColor(value, rgb))
            frame.m_background = rgb;
        // As in a browser, an inner span cannot take away an outer underline.
        else if (EqualIgnoringAsciiCase(property, "text-decoration")
                 && EqualIgnoringAsciiCase(Trimmed(value), "underline"))
            frame.m_underline = true;
    }
    const bool hasId = tag.has("id");
    const bool hasTitle = tag.has("title");
    if (hasId || hasTitle) {
        LinkTarget link;
        const LinkTarget *outer = frame.m_link >= 0 ? &document.Link(frame.m_link) : nullptr;
        link.m_command = hasId ? tag.qtext("id") : (outer ? outer->m_command : QString());
        link.m_title = hasTitle ? tag.qtext("title") : (outer ? outer->m_title : QString());
        frame.m_link = document.AddLink(link);
    }
    m_spans.push_back(frame);
}

void HtmlLineParser::closeSpan()
{
    if (m_overflowSpans > 0)
        --m_overflowSpans;
    else if (!m_spans.empty())
        m_spans.pop_back();
}

void HtmlLineParser::addImage(const Tag &tag, StyledDocument &document)
{
    if (!tag.has("src"))
        return;
    const std::string source = tag.text("src");
    const size_t slash = source.find_last_of("/\\");
    const std::string_view file =
        slash == std::string::npos ? std::string_view(source) : std::string_view(source).substr(slash + 1);
    QString copyText;
    if (const char *token = SmileyToken(file))
        copyText = QString::fromUtf8(token);
    else
        copyText = tag.qtext("alt");
    const int image =
        document.InternImage(FromUtf8(source), tag.has("width") ? BoundedNumber(tag.raw("width"), 15) : 15,
                             tag.has("height") ? BoundedNumber(tag.raw("height"), 15) : 15, copyText);
    if (!tag.has("id")) {
        addDecodedText(QString(kImagePlaceholder), document, image);
        return;
    }
    // An image with a command (the banner) is clickable by itself.
    SpanFrame frame = m_spans.empty() ? SpanFrame{kDefaultForeground, 0, -1, false} : m_spans.back();
    frame.m_link = document.AddLink(LinkTarget{tag.qtext("id"), tag.qtext("alt")});
    m_spans.push_back(frame);
    addDecodedText(QString(kImagePlaceholder), document, image);
    m_spans.pop_back();
}

size_t HtmlLineParser::addEntity(std::string_view html, size_t pos, StyledDocument &document)
{
    std::string decoded;
    const size_t used = DecodeEntityAt(html, pos, decoded);
    if (used > 0)
        addDecodedText(FromUtf8(decoded), document);
    return used;
}

void HtmlLineParser::addText(std::string_view utf8, StyledDocument &document)
{
    addDecodedText(FromUtf8(utf8), document);
}

int HtmlLineParser::currentStyle(StyledDocument &document)
{
    if (m_cachedStyle < 0) {
        RunStyle style;
        if (!m_spans.empty()) {
            style.m_foreground = m_spans.back().m_foreground;
            style.m_background = m_spans.back().m_background;
            style.m_underline = m_spans.back().m_underline;
        }
        style.m_bold = m_bold > 0;
        style.m_underline = style.m_underline || m_underline > 0;
        m_cachedStyle = document.InternStyle(style);
    }
    return m_cachedStyle;
}

void HtmlLineParser::addDecodedText(const QString &text, StyledDocument &document, int image)
{
    const int style = currentStyle(document);
    const int link = m_spans.empty() ? -1 : m_spans.back().m_link;
    qsizetype done = 0;
    while (done < text.size()) {
        StyledLine *line = &document.LastLine();
        if (line->m_text.size() >= kMaxLineLength) {
            breakLine(document, true);
            line = &document.LastLine();
        }
        const qsizetype room = kMaxLineLength - line->m_text.size();
        const qsizetype length = std::min(room, text.size() - done);
        const int start = int(line->m_text.size());
        line->m_text += QStringView(text).mid(done, length);
        done += length;
        StyledRun *last = line->m_runs.empty() ? nullptr : &line->m_runs.back();
        if (image < 0 && last && last->m_image < 0 && last->m_style == style && last->m_link == link
            && last->m_start + last->m_length == start) {
            last->m_length = uint16_t(last->m_length + length);
        } else {
            line->m_runs.push_back(StyledRun{link, image, uint16_t(start), uint16_t(length), uint16_t(style)});
            if (image >= 0)
                ++line->m_imageCount;
        }
    }
}

void HtmlLineParser::breakLine(StyledDocument &document, bool continues)
{
    document.NewLine(continues);
}
