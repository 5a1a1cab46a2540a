// The conversation text view: the coloured, clickable lines of a window.
#pragma once

#include "text/FormatLine.h"
#include "text/TextClass.h"
#include "view/HtmlLineParser.h"
#include "view/RowIndex.h"
#include "view/StyledDocument.h"
#include "view/TextMarks.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPixmap>
#include <QTextLayout>
#include <QTimer>

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The text view of a conversation window. It keeps the HTML fragments it is
// given, in order and unchanged (source, saving), reads each into lines of
// styled runs, and lays out and paints only the lines on screen, at most
// about 60 times a second however fast lines arrive. Past its text limit it
// lets the oldest lines go, with their fragments. Clicks on elements that
// carry a command (channels, nicks, addresses) come out as commandClicked;
// the frame runs them.
class TextView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // The page set-up written by Create: the font of the text and the end
    // colour of the background gradient, the optional sponsor banner.
    struct PageStyle
    {
        std::string m_fontName = "Courier New"; // "Font"
        int m_fontSize = 10;                    // "Font Size" (drawn at +3 px)
        uint32_t m_colorList = 0xCEDFF6;        // "Color List"
        bool m_donating = false;                // "Donating"
        std::string m_bannerImage;              // banner image file (no banner when empty)
        std::string m_bannerLink;               // address opened by a click on the banner
    };

    explicit TextView(QWidget *parent = nullptr);
    ~TextView() override;

    // Used by the next Create.
    void SetPageStyle(const PageStyle &style);
    // Colours, nick list and address book look-ups used by WriteLine.
    void SetFormatContext(const FormatContext &context);
    FormatContext &formatContext() { return m_format; }

    // Starts a new document: writes the body, the centred block, the
    // preformatted block with the font and, when donating, the banner; the
    // text size is then 0. Always succeeds.
    bool Create();
    // Forgets every fragment, line, selection and the text size.
    void Clear();

    // The HTML of one line, with this view's colours and look-ups.
    std::string FormatLine(std::string_view text, TextClass textClass, bool timeStamps, std::time_t time) const;
    // FormatLine, then Write with scrolling.
    void WriteLine(std::string_view text, TextClass textClass, bool timeStamps, std::time_t time = 0);
    // Appends a fragment to the document and adds the text it shows to the
    // text size. With scroll, a view that sticks to the end stays there.
    void Write(std::string_view html, bool scroll = true);
    void AppendHtml(std::string_view html) { Write(html, true); }

    // The width of a view whose text runs columns characters wide before it wraps.
    int WidthForColumns(int columns) const;

    // Characters of text shown since Create, a line break counting one; the
    // markup around the text counts nothing.
    int64_t TextSize() const { return m_textSize; }
    // Once the text size passes the limit (0: none), the oldest lines go,
    // whole printed lines with their fragments, until a tenth of the limit
    // is free again; the page set-up and the newest line always stay.
    void SetTextLimit(int64_t characters);
    int64_t TextLimit() const { return m_textLimit; }
    // The fragments exactly as given, in order, and their concatenation.
    size_t FragmentCount() const { return m_fragmentEnds.size(); }
    std::string_view Fragment(size_t index) const;
    const std::string &Source() const { return m_source; }
    // Lines of the document (a line ends at a line break of the text).
    int LineCount() const;
    // The shown text of the whole document, lines joined with '\n' (a line
    // that continues the one above joins it without).
    QString PlainText() const;

    // Scrolls to the end and sticks there, when auto-scroll is on.
    void ScrollToEnd();
    void SetAutoScroll(bool on);
    bool AutoScroll() const { return m_autoScroll; }
    // Whether the view shows the end of the document.
    bool IsAtEnd() const;

    // Width of the sponsor banner: 468 from a width of 470 on, else the width.
    void ResizeBanner(int width);

    bool HasSelection() const;
    QString SelectedText() const;
    void SelectAll();
    // Copies the selection to the clipboard (nothing without a selection).
    void Copy();

    // Opens a window with the HTML source of the document.
    QWidget *ShowSource();
    // Asks for a file and saves the document as HTML, or as text when the
    // chosen name ends in ".txt" or the text filter is chosen.
    void SaveAs();
    bool SaveToFile(const QString &path, bool asHtml) const;

    // Where a text is drawn among the lines now on screen, in viewport
    // coordinates; empty when it is not on screen.
    QRect VisibleTextRect(const QString &text);

    // ---- where the reader stopped ----
    // Remembers the end of the text as the place where the reader stopped:
    // the lines written after it are unread. A view has one such place; the
    // next call moves it.
    void MarkRead();
    // The first unread line, above which the view draws a thin marker line;
    // -1 while no line came after the place (or none was remembered). When
    // the text limit lets the first unread lines go, the oldest kept line is
    // the first unread one.
    int UnreadMarkerLine() const;
    // Scrolls so that the marker shows near the top, below a few lines read
    // before it; false when there is no marker.
    bool ScrollToUnreadMarker();
    // The lines of the document, for reading their text.
    const StyledDocument &Document() const { return m_document; }
    // Stretches drawn with a marker behind them (the current one stronger).
    // Whoever fills them follows linesWritten; the view itself moves them
    // with their lines when old lines go. Call RepaintMarks after a change.
    TextMarks &Marks() { return m_marks; }
    const TextMarks &Marks() const { return m_marks; }
    void RepaintMarks();
    // Scrolls so that the line is on screen, a third of the page from the
    // top, unless all of it is shown already.
    void ScrollToLine(int line);
    // The last line on screen, even when only a part of it is.
    int BottomLine();
    // Every fragment written gets a number, counted on from 1 since the view
    // was made and never given twice (Clear does not start again). The
    // number of the fragment written last, 0 for none.
    uint64_t LastFragmentId() const { return m_droppedFragments + m_fragmentEnds.size(); }
    // The line where the text of that fragment starts, or -1 when it has
    // gone past the text limit (or is unknown).
    int LineOfFragment(uint64_t id) const;

signals:
    // A left click on an element with a command (its id). Never emitted for
    // a command holding CR, LF or NUL.
    void commandClicked(const QString &command);
    // A left click on anything without a command. When nothing is connected
    // the view copies its selection itself.
    void plainClicked();
    void doubleClicked();
    // A context menu asked for over an element (its command) or over plain
    // text (empty command).
    void contextMenuRequested(const QString &command, const QPoint &globalPos);
    // A fragment was written: the lines from firstChanged to the end are
    // new or have new text.
    void linesWritten(int firstChanged);
    // Lines first .. first + count - 1 went (the text limit, Clear); the
    // lines after them moved up.
    void linesErased(int first, int count);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    // Room between the edges of the view and the text (the page's margin of
    // 1 and the border of the document).
    static constexpr int kMargin = 2;

    struct PlacedLine
    {
        int m_line;
        int m_top; // viewport y of the line's first row
    };
    struct TextPosition
    {
        int m_line = -1;
        int m_offset = 0;
        bool isValid() const { return m_line >= 0; }
    };

    void applyFont();
    void scheduleRefresh();
    void refresh();
    void updateScrollBar();
    void anchorFromScrollBar();
    void freezeAtCurrentTop();
    int textWidth() const;
    int estimateRows(int line) const;
    void reestimateAllRows();
    QTextLayout *layoutOf(int line);
    void dropLayoutsExcept(const std::vector<PlacedLine> &keep);
    std::vector<PlacedLine> placeVisibleLines();
    TextPosition hitTest(const QPoint &pos, bool exactOnly);
    int linkAt(const QPoint &pos);
    QString commandOfLink(int link) const;
    const QPixmap &backgroundTile();
    void paintLine(QPainter &painter, const PlacedLine &placed);
    void paintImages(QPainter &painter, const PlacedLine &placed, QTextLayout *layout);
    void paintUnreadMarker(QPainter &painter, const std::vector<PlacedLine> &placed);
    void addMarkFormats(int line, QList<QTextLayout::FormatRange> &formats) const;
    int imageWidth(const InlineImage &image, int link) const;
    int visibleRows() const;
    void selectionRange(TextPosition &from, TextPosition &to) const;
    // The text from one place to another as copying gives it.
    QString TextOfLines(int firstLine, int firstOffset, int lastLine, int lastOffset) const;
    void writeSetUp();
    void appendParsedLines(int firstNew);
    int64_t lineSize(int line) const;
    void keepWithinTextLimit();
    void dropFragments(size_t last, int lines);
    void eraseLines(int first, int count);
    void forgetUnusedLinks();

    PageStyle m_style;
    FormatContext m_format;
    QFont m_font;
    int m_rowHeight = 16;
    qreal m_charWidth = 8;

    std::string m_source;
    std::vector<uint32_t> m_fragmentEnds;
    uint64_t m_droppedFragments = 0; // fragments gone before m_fragmentEnds[0], for LastFragmentId
    // Per fragment: the index of the line left open after it when that line
    // was still empty (the fragment ended with its lines), else -1. Only
    // there can the oldest text be cut without splitting a fragment.
    std::vector<int> m_fragmentOpenLines;
    size_t m_setUpFragments = 0; // written by Create, never dropped
    int m_setUpLines = 0;
    int64_t m_textSize = 0;
    int64_t m_textLimit = 0;
    StyledDocument m_document;
    HtmlLineParser m_parser;
    RowIndex m_rows;
    TextMarks m_marks;
    std::vector<unsigned char> m_rowsExact;
    std::unordered_map<int, std::unique_ptr<QTextLayout>> m_layouts;
    int m_layoutWidth = -1;
    // A strip of the background gradient, the width of the view, drawn
    // tiled: filling the gradient anew on every frame costs more than the text.
    QPixmap m_backgroundTile;
    uint32_t m_tileColor = 0;

    bool m_autoScroll = true;
    bool m_stickToEnd = true;
    int m_topLine = 0;
    int m_topRow = 0;
    bool m_settingScrollBar = false;
    QTimer m_refreshTimer;

    int m_unreadFrom = -1; // the line where the text not yet read begins, -1: no place remembered

    TextPosition m_anchor;
    TextPosition m_cursor;
    bool m_selecting = false;
    QPoint m_pressPos;
    int m_pressLink = -1;
    int m_hoverLink = -1;
    int m_bannerWidth = 468;
    QString m_bannerCommand;
    bool m_ignoreRelease = false;
};
