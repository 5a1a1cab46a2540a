// Reads the HTML fragments the program prints into styled runs for the text view.
#pragma once

#include "view/StyledDocument.h"

#include <string>
#include <string_view>
#include <vector>

// Reads the program's own HTML into styled lines: spans with color,
// background-color and text-decoration (underline) styles, id and title attributes, b, u, img, br and the
// page set-up tags (body, div, pre, p), and character entities. Anything
// else is shown as the text it is. Styles stay open from one fragment to
// the next, as in a document that grows; a line breaks at CR LF, LF or CR
// inside the preformatted block, and at br or p.
class HtmlLineParser
{
public:
    // The longest line kept in one piece; longer text goes on in a new line
    // marked as continuing it (copied without a break), so that laying out a
    // line stays cheap.
    static constexpr int kMaxLineLength = 16384;
    static_assert(kMaxLineLength <= 0xFFFF, "a run places itself in a line with 16 bits");
    // Nested spans deeper than this share the style of the deepest one.
    static constexpr int kMaxSpanDepth = 256;

    enum class TagKind;

    HtmlLineParser();

    // Back to the state of an empty document.
    void Reset();
    void Feed(std::string_view html, StyledDocument &document);
    // The links of the spans still open, which later text will point to.
    std::vector<int> OpenLinks() const;
    // The document renumbered its links (StyledDocument::ForgetUnusedLinks).
    void RenumberLinks(const std::vector<int> &renumbered);

private:
    struct SpanFrame
    {
        QRgb m_foreground;
        QRgb m_background;
        int m_link;
        bool m_underline; // text-decoration: underline
    };
    struct Tag;

    bool parseTag(std::string_view html, size_t &pos, Tag &tag) const;
    void applyTag(const Tag &tag, StyledDocument &document);
    void openSpan(const Tag &tag, StyledDocument &document);
    void closeSpan();
    void addImage(const Tag &tag, StyledDocument &document);
    void addText(std::string_view utf8, StyledDocument &document);
    void addDecodedText(const QString &text, StyledDocument &document, int image = -1);
    void breakLine(StyledDocument &document, bool continues = false);
    size_t addEntity(std::string_view html, size_t pos, StyledDocument &document);
    int currentStyle(StyledDocument &document);

    std::vector<SpanFrame> m_spans;
    int m_overflowSpans = 0;
    int m_bold = 0;
    int m_underline = 0;
    bool m_preformatted = true;
    bool m_lastWasCR = false;
    int m_cachedStyle = -1;
    RunStyle m_cachedRunStyle;
};
