// The text view's lines as styled runs: text, colours, clickable elements, pictures.
#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QPixmap>
#include <QRgb>
#include <QString>
#include <QStringView>

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

// A stretch of a line's text in one style, element and image. A line holds
// at most 65535 characters (the parser breaks long text well before), so
// 16 bits place a run; a full view holds tens of thousands of runs.
struct StyledRun
{
    int32_t m_link = -1;  // index of a LinkTarget, or -1
    int32_t m_image = -1; // index of an InlineImage, or -1
    uint16_t m_start = 0;
    uint16_t m_length = 0;
    uint16_t m_style = 0;
};

// The text of a line. Chat is mostly Latin-1, so a line keeps one byte a
// character until a character needs more, then two (UTF-16) like a QString.
// Positions are UTF-16 offsets either way: a full view holds about a
// megabyte of text, and only the lines on screen need it as a QString.
class LineText
{
public:
    qsizetype size() const { return m_wide ? m_bytes.size() / 2 : m_bytes.size(); }
    bool isEmpty() const { return m_bytes.isEmpty(); }
    QString toString() const { return mid(0, size()); }
    operator QString() const { return toString(); }
    QString mid(qsizetype from, qsizetype length) const;
    // The text as it is kept, without a copy: Latin-1 while every character
    // fits in a byte (then latin1() holds it), else UTF-16 (utf16()).
    bool isLatin1() const { return !m_wide; }
    QLatin1StringView latin1() const { return m_wide ? QLatin1StringView() : QLatin1StringView(m_bytes); }
    QStringView utf16() const
    {
        return m_wide ? QStringView(reinterpret_cast<const QChar *>(m_bytes.constData()), size()) : QStringView();
    }
    // Where the text is kept and how many bytes it takes, either way (for
    // asking the processor to fetch it early).
    const char *bytes() const { return m_bytes.constData(); }
    qsizetype byteCount() const { return m_bytes.size(); }
    void append(QStringView text);
    LineText &operator+=(QStringView text)
    {
        append(text);
        return *this;
    }
    // Gives back the room kept for growing.
    void squeeze() { m_bytes.squeeze(); }

private:
    void widen();

    QByteArray m_bytes;
    bool m_wide = false;
};

// One line of the view: the text between two line breaks of the document,
// or a piece of a longer text that goes on from the line before it.
struct StyledLine
{
    LineText m_text;
    std::vector<StyledRun> m_runs;
    int m_imageCount = 0;
    bool m_continues = false; // no line break before it: the text of the line above goes on here
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
    // Starts a new, empty line at the end; the line before it gives back the
    // room it kept for growing. continues: the new line carries on the text
    // of the one before it, without a line break between them.
    void NewLine(bool continues = false);
    // Removes count lines from first on (never the last line).
    void EraseLines(int first, int count);
    // Once the links outnumber those that lines and alsoUsed still point to
    // (and there are many), forgets the unused ones and renumbers the rest
    // in every run. Returns the new number of each old link (-1: forgotten)
    // so that other holders can follow, or an empty list when nothing moved.
    std::vector<int> ForgetUnusedLinks(const std::vector<int> &alsoUsed);

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
    void IndexLink(int index);

    std::deque<StyledLine> m_lines; // grows without moving or doubling
    std::vector<RunStyle> m_styles;
    std::deque<LinkTarget> m_links; // grows without spare room or copies
    std::vector<InlineImage> m_images;
    std::unordered_map<uint64_t, int> m_styleIndex;
    std::unordered_map<uint64_t, int> m_linkIndex;
    std::unordered_map<QString, int> m_imageIndex;
};
