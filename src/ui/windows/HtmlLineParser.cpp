#include "windows/HtmlLineParser.h"

#include "text/Decoration.h"

#include <QColor>

#include <algorithm>
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
    {"white", 0xFFFFFFFF}, {"black", 0xFF000000},   {"navy", 0xFF000080},  {"green", 0xFF008000},
    {"red", 0xFFFF0000},   {"brown", 0xFFA52A2A},   {"purple", 0xFF800080}, {"yellow", 0xFFFFFF00},
    {"lime", 0xFF00FF00},  {"teal", 0xFF008080},    {"aqua", 0xFF00FFFF},  {"blue", 0xFF0000FF},
    {"fuchsia", 0xFFFF00FF}, {"gray", 0xFF808080}, {"silver", 0xFFC0C0C0}, {"orange", 0xFFFFA500},
};

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    for (char &c : lowered)
        c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    return lowered;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsHexDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

// A CSS colour as the program writes it: a name, "#RRGGBB", or six bare
// hexadecimal digits (as browsers accept them). "transparent" and anything
// unreadable give false.
bool ParseColor(std::string_view value, QRgb &rgb)
{
    const std::string lowered = Lowered(Trimmed(value));
    std::string_view text = lowered;
    for (const NamedColor &named : kNamedColors) {
        if (text == named.name) {
            rgb = named.rgb;
            return true;
        }
    }
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if ((text.size() == 6 || text.size() == 3) && IsHexDigits(text)) {
        const QColor color = QColor::fromString(QLatin1Char('#') + QLatin1String(text.data(), qsizetype(text.size())));
        if (color.isValid()) {
            rgb = color.rgb();
            return true;
        }
    }
    if (text.empty() || text == "transparent" || text.size() > 32)
        return false;
    const QColor color = QColor::fromString(QLatin1String(text.data(), qsizetype(text.size())));
    if (!color.isValid() || color.alpha() == 0)
        return false;
    rgb = color.rgb();
    return true;
}

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
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

struct HtmlLineParser::Tag
{
    std::string m_name; // lower case, "/name" for a closing tag
    std::vector<std::pair<std::string, std::string>> m_attributes; // names lower case, values decoded

    const std::string *attribute(std::string_view name) const
    {
        for (const auto &[key, value] : m_attributes) {
            if (key == name)
                return &value;
        }
        return nullptr;
    }
};

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

bool HtmlLineParser::parseTag(std::string_view html, size_t &pos, Tag &tag) const
{
    size_t i = pos + 1;
    const bool closing = i < html.size() && html[i] == '/';
    if (closing)
        ++i;
    const size_t nameStart = i;
    while (i < html.size() && IsNameChar(html[i]))
        ++i;
    if (i == nameStart || i >= html.size())
        return false;
    tag.m_name = Lowered(html.substr(nameStart - (closing ? 1 : 0), i - nameStart + (closing ? 1 : 0)));
    static constexpr const char *kKnown[] = {"span", "b", "u", "img", "br", "p", "div", "pre", "body", "html",
                                             "/span", "/b", "/u", "/p", "/div", "/pre", "/body", "/html"};
    if (std::none_of(std::begin(kKnown), std::end(kKnown), [&](const char *known) { return tag.m_name == known; }))
        return false;
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
        std::string key = Lowered(html.substr(keyStart, i - keyStart));
        while (i < html.size() && IsSpace(html[i]))
            ++i;
        std::string value;
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
                value = DecodeEntities(html.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                const size_t valueStart = i;
                while (i < html.size() && !IsSpace(html[i]) && html[i] != '>')
                    ++i;
                value = DecodeEntities(html.substr(valueStart, i - valueStart));
            }
        }
        tag.m_attributes.emplace_back(std::move(key), std::move(value));
    }
    return false;
}

void HtmlLineParser::applyTag(const Tag &tag, StyledDocument &document)
{
    const std::string &name = tag.m_name;
    m_cachedStyle = -1;
    if (name == "span") {
        openSpan(tag, document);
    } else if (name == "/span") {
        closeSpan();
    } else if (name == "b") {
        ++m_bold;
    } else if (name == "/b") {
        m_bold = std::max(0, m_bold - 1);
    } else if (name == "u") {
        ++m_underline;
    } else if (name == "/u") {
        m_underline = std::max(0, m_underline - 1);
    } else if (name == "img") {
        addImage(tag, document);
    } else if (name == "br") {
        breakLine(document);
    } else if (name == "p" || name == "/p") {
        if (!document.LastLine().m_text.isEmpty())
            breakLine(document);
    } else if (name == "pre") {
        m_preformatted = true;
    } else if (name == "/pre" || name == "body") {
        m_preformatted = false;
    }
}

void HtmlLineParser::openSpan(const Tag &tag, StyledDocument &document)
{
    if (int(m_spans.size()) >= kMaxSpanDepth) {
        ++m_overflowSpans;
        return;
    }
    SpanFrame frame = m_spans.empty() ? SpanFrame {kDefaultForeground, 0, -1} : m_spans.back();
    if (const std::string *style = tag.attribute("style")) {
        std::string_view rest = *style;
        while (!rest.empty()) {
            const size_t semicolon = rest.find(';');
            const std::string_view declaration = rest.substr(0, semicolon);
            rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
            const size_t colon = declaration.find(':');
            if (colon == std::string_view::npos)
                continue;
            const std::string property = Lowered(Trimmed(declaration.substr(0, colon)));
            const std::string_view value = declaration.substr(colon + 1);
            QRgb rgb;
            if (property == "color" && ParseColor(value, rgb))
                frame.m_foreground = rgb;
            // A transparent background shows the one below it.
            else if (property == "background-color" && ParseColor(value, rgb))
                frame.m_background = rgb;
        }
    }
    const std::string *id = tag.attribute("id");
    const std::string *title = tag.attribute("title");
    if (id || title) {
        LinkTarget link;
        if (id)
            link.m_command = FromUtf8(*id);
        if (title)
            link.m_title = FromUtf8(*title);
        else if (frame.m_link >= 0)
            link.m_title = document.Link(frame.m_link).m_title;
        if (!id && frame.m_link >= 0)
            link.m_command = document.Link(frame.m_link).m_command;
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
    const std::string *source = tag.attribute("src");
    if (!source)
        return;
    const std::string *width = tag.attribute("width");
    const std::string *height = tag.attribute("height");
    const std::string *alt = tag.attribute("alt");
    const size_t slash = source->find_last_of("/\\");
    const std::string file = slash == std::string::npos ? *source : source->substr(slash + 1);
    QString copyText;
    if (const char *token = SmileyToken(file))
        copyText = QString::fromUtf8(token);
    else if (alt)
        copyText = FromUtf8(*alt);
    const int image = document.InternImage(FromUtf8(*source), width ? BoundedNumber(*width, 15) : 15,
                                           height ? BoundedNumber(*height, 15) : 15, copyText);
    const std::string *id = tag.attribute("id");
    if (!id) {
        addDecodedText(QString(kImagePlaceholder), document, image);
        return;
    }
    // An image with a command (the banner) is clickable by itself.
    SpanFrame frame = m_spans.empty() ? SpanFrame {kDefaultForeground, 0, -1} : m_spans.back();
    frame.m_link = document.AddLink(LinkTarget {FromUtf8(*id), alt ? FromUtf8(*alt) : QString()});
    m_spans.push_back(frame);
    addDecodedText(QString(kImagePlaceholder), document, image);
    m_spans.pop_back();
}

size_t HtmlLineParser::addEntity(std::string_view html, size_t pos, StyledDocument &document)
{
    const size_t semicolon = html.find(';', pos);
    if (semicolon == std::string_view::npos || semicolon - pos > 10)
        return 0;
    const std::string_view reference = html.substr(pos, semicolon - pos + 1);
    const std::string decoded = DecodeEntities(reference);
    if (decoded == reference)
        return 0;
    addDecodedText(FromUtf8(decoded), document);
    return reference.size();
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
        }
        style.m_bold = m_bold > 0;
        style.m_underline = m_underline > 0;
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
            breakLine(document);
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
            last->m_length += int32_t(length);
        } else {
            line->m_runs.push_back(StyledRun {start, int32_t(length), uint16_t(style), link, image});
            if (image >= 0)
                ++line->m_imageCount;
        }
    }
}

void HtmlLineParser::breakLine(StyledDocument &document)
{
    document.NewLine();
}
