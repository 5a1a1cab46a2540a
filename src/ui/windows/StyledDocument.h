#pragma once

#include <QPixmap>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

// How a run of text looks. A background of 0 alpha means none.
struct RunStyle
{
    QRgb m_foreground = 0xFF000000;
    QRgb m_background = 0;
    bool m_bold = false;
    bool m_underline = false;

    bool operator==(const RunStyle &other) const = default;
};

// The command and tool tip of a clickable element (its id and title).
struct LinkTarget
{
    QString m_command;
    QString m_title;
};

// An image shown inline; in the line's text it takes one no-break space.
struct InlineImage
{
    QString m_source;
    QString m_copyText; // what copying the image gives
    int m_width = 15;
    int m_height = 15;
    mutable QPixmap m_pixmap;
    mutable bool m_loaded = false;

    const QPixmap &pixmap() const;
};

// A stretch of a line's text in one style, element and image.
struct StyledRun
{
    int32_t m_start = 0;
    int32_t m_length = 0;
    uint16_t m_style = 0;
    int32_t m_link = -1;  // index of a LinkTarget, or -1
    int32_t m_image = -1; // index of an InlineImage, or -1
};

// One line of the view: the text between two line breaks of the document.
struct StyledLine
{
    QString m_text;
    std::vector<StyledRun> m_runs;
    int m_imageCount = 0;
};

// The lines of a view with the tables of styles, elements and images their
// runs point into.
class StyledDocument
{
public:
    StyledDocument();

    void Clear();

    int LineCount() const { return int(m_lines.size()); }
    const StyledLine &Line(int index) const { return m_lines[size_t(index)]; }
    StyledLine &Line(int index) { return m_lines[size_t(index)]; }
    StyledLine &LastLine() { return m_lines.back(); }
    // Starts a new, empty line at the end.
    void NewLine();

    int InternStyle(const RunStyle &style);
    const RunStyle &Style(int index) const { return m_styles[size_t(index)]; }
    // The index of a link with this command and title (one is added when
    // there is none yet).
    int AddLink(const LinkTarget &link);
    const LinkTarget &Link(int index) const { return m_links[size_t(index)]; }
    int LinkCount() const { return int(m_links.size()); }
    int InternImage(const QString &source, int width, int height, const QString &copyText);
    const InlineImage &Image(int index) const { return m_images[size_t(index)]; }

    // The text of a line from..to as copying gives it (images as their text).
    QString CopyText(int line, int from, int to) const;

private:
    std::deque<StyledLine> m_lines; // grows without moving or doubling
    std::vector<RunStyle> m_styles;
    std::vector<LinkTarget> m_links;
    std::vector<InlineImage> m_images;
    std::unordered_map<uint64_t, int> m_styleIndex;
    std::unordered_map<uint64_t, int> m_linkIndex;
    std::unordered_map<QString, int> m_imageIndex;
};
