#include "view/TextView.h"

#include "text/Colors.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "widgets/WhileAppRuns.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// About 60 repaints a second, however fast lines arrive.
constexpr int kRefreshIntervalMs = 16;
constexpr size_t kSourceStep = 128 * 1024;

} // namespace

TextView::TextView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always shown, so that the width of the text never depends on its length.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(kRefreshIntervalMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &TextView::refresh);
    m_rows.Clear();
    m_rows.Append(0);
    m_rowsExact.assign(1, 0);
    applyFont();
}

TextView::~TextView() = default;

void TextView::SetPageStyle(const PageStyle &style)
{
    m_style = style;
}

void TextView::SetFormatContext(const FormatContext &context)
{
    m_format = context;
}

bool TextView::Create()
{
    Clear();
    applyFont();
    writeSetUp();
    m_setUpFragments = m_fragmentEnds.size();
    m_setUpLines = m_document.LineCount() - 1;
    m_textSize = 0;
    return true;
}

void TextView::writeSetUp()
{
    Write(StrPrintf("<body leftmargin='1' topmargin='1' bgproperties='Fixed' style=\"border: 0px solid Black; "
                    "word-wrap: break-word; \t\t\tfilter:progid:DXImageTransform.Microsoft.Gradient("
                    "startColorStr='#FFFFFF', endColorStr='#%s', gradientType='1');\">",
                    ColorToHex(m_style.m_colorList).c_str()),
          true);
    Write("\n<div align='center' style='width: 100%; height: 100%;'></div>", true);
    Write(StrPrintf("<pre style='font-family: %s;font-size: %dpx;'>", EscapeAttribute(m_style.m_fontName).c_str(),
                    m_style.m_fontSize + 3),
          true);
    m_bannerCommand.clear();
    if (m_style.m_donating && !m_style.m_bannerImage.empty()) {
        const std::string command = "/link " + m_style.m_bannerLink;
        m_bannerCommand = QString::fromStdString(command);
        Write(StrPrintf("<p align='center'><img src='%s' width='468' height='60' id='%s' alt='%s' border='0' "
                        "style='cursor: hand;'></p>",
                        EscapeAttribute(m_style.m_bannerImage).c_str(), EscapeAttribute(command).c_str(),
                        EscapeAttribute(Strings::Get(Str::BannerAlt)).c_str()),
              true);
    }
}

void TextView::Clear()
{
    const int oldLines = m_document.LineCount();
    m_droppedFragments += m_fragmentEnds.size();
    std::string().swap(m_source);
    std::vector<uint32_t>().swap(m_fragmentEnds);
    std::vector<int>().swap(m_fragmentOpenLines);
    m_setUpFragments = 0;
    m_setUpLines = 0;
    m_textSize = 0;
    m_document.Clear();
    m_parser.Reset();
    m_rows.Clear();
    m_rows.Append(0);
    m_rowsExact.assign(1, 0);
    m_layouts.clear();
    m_unreadFrom = -1;
    m_anchor = m_cursor = TextPosition();
    m_selecting = false;
    m_pressLink = m_hoverLink = -1;
    m_stickToEnd = m_autoScroll;
    m_topLine = m_topRow = 0;
    viewport()->unsetCursor();
    m_marks.Clear();
    scheduleRefresh();
    emit linesErased(0, oldLines - 1);
}

std::string TextView::FormatLine(std::string_view text, TextClass textClass, bool timeStamps, std::time_t time) const
{
    FormatContext context = m_format;
    context.m_timeStamps = timeStamps;
    return ::FormatLine(text, textClass, time, context);
}

void TextView::WriteLine(std::string_view text, TextClass textClass, bool timeStamps, std::time_t time)
{
    const bool saved = m_format.m_timeStamps;
    m_format.m_timeStamps = timeStamps;
    const std::string line = ::FormatLine(text, textClass, time, m_format);
    m_format.m_timeStamps = saved;
    Write(line, true);
}

void TextView::Write(std::string_view html, bool scroll)
{
    // Without scrolling the new text goes below what is shown now.
    if (!scroll)
        freezeAtCurrentTop();
    const int firstChanged = m_document.LineCount() - 1;
    // Doubled while small, so that a quiet window stays small, then grown in
    // steps: a full view holds a megabyte, and doubling would leave up to as
    // much again unused.
    if (m_source.size() + html.size() > m_source.capacity())
        m_source.reserve(m_source.size() + html.size() + std::min(m_source.size(), kSourceStep));
    m_source.append(html);
    m_fragmentEnds.push_back(uint32_t(std::min<size_t>(m_source.size(), UINT32_MAX)));
    m_textSize -= lineSize(firstChanged);
    m_parser.Feed(html, m_document);
    for (int line = firstChanged; line < m_document.LineCount(); ++line)
        m_textSize += lineSize(line);
    m_fragmentOpenLines.push_back(m_document.LastLine().m_text.isEmpty() ? m_document.LineCount() - 1 : -1);
    appendParsedLines(firstChanged);
    emit linesWritten(firstChanged);
    keepWithinTextLimit();
    scheduleRefresh();
}

// A line's text and the break after it, when the next line does not just
// carry the same text on.
int64_t TextView::lineSize(int line) const
{
    const bool broken = line + 1 < m_document.LineCount() && !m_document.Line(line + 1).m_continues;
    return int64_t(m_document.Line(line).m_text.size()) + (broken ? 1 : 0);
}

void TextView::SetTextLimit(int64_t characters)
{
    m_textLimit = std::max<int64_t>(0, characters);
    keepWithinTextLimit();
}

// Cutting a tenth at a time, not a line at a time: each cut moves the whole
// source and renumbers the rows, which a flood would otherwise pay per line.
void TextView::keepWithinTextLimit()
{
    if (m_textLimit <= 0 || m_textSize <= m_textLimit)
        return;
    const int64_t excess = m_textSize - (m_textLimit - m_textLimit / 10);
    int64_t dropped = 0;
    int line = m_setUpLines;
    size_t cut = m_fragmentEnds.size();
    // The newest fragment stays, however long it is.
    for (size_t fragment = m_setUpFragments; fragment + 1 < m_fragmentEnds.size() && dropped < excess; ++fragment) {
        const int openLine = m_fragmentOpenLines[fragment];
        if (openLine < 0)
            continue;
        for (; line < openLine; ++line)
            dropped += lineSize(line);
        cut = fragment;
    }
    if (cut == m_fragmentEnds.size())
        return;
    dropFragments(cut, m_fragmentOpenLines[cut] - m_setUpLines);
    m_textSize -= dropped;
}

// Drops the fragments after the set-up up to last, and the lines they made.
void TextView::dropFragments(size_t last, int lines)
{
    const size_t setUpEnd = m_setUpFragments == 0 ? 0 : m_fragmentEnds[m_setUpFragments - 1];
    const uint32_t bytes = uint32_t(m_fragmentEnds[last] - setUpEnd);
    m_source.erase(setUpEnd, bytes);
    const auto first = std::ptrdiff_t(m_setUpFragments);
    const auto end = std::ptrdiff_t(last + 1);
    m_droppedFragments += uint64_t(end - first);
    m_fragmentEnds.erase(m_fragmentEnds.begin() + first, m_fragmentEnds.begin() + end);
    m_fragmentOpenLines.erase(m_fragmentOpenLines.begin() + first, m_fragmentOpenLines.begin() + end);
    for (size_t fragment = m_setUpFragments; fragment < m_fragmentEnds.size(); ++fragment) {
        m_fragmentEnds[fragment] -= bytes;
        if (m_fragmentOpenLines[fragment] >= 0)
            m_fragmentOpenLines[fragment] -= lines;
    }
    eraseLines(m_setUpLines, lines);
}

void TextView::eraseLines(int first, int count)
{
    const int end = first + count;
    m_document.EraseLines(first, count);
    std::vector<int> rows;
    rows.reserve(size_t(m_rows.Count() - count));
    for (int line = 0; line < m_rows.Count(); ++line)
        if (line < first || line >= end)
            rows.push_back(m_rows.Rows(line));
    m_rows.Reset(rows);
    m_rowsExact.erase(m_rowsExact.begin() + first, m_rowsExact.begin() + end);

    std::unordered_map<int, std::unique_ptr<QTextLayout>> layouts;
    for (auto &[line, layout] : m_layouts)
        if (line < first || line >= end)
            layouts.emplace(line < first ? line : line - count, std::move(layout));
    m_layouts.swap(layouts);

    // What pointed into the dropped lines now points to the first line after them.
    const auto follow = [&](TextPosition &position) {
        if (position.m_line >= end)
            position.m_line -= count;
        else if (position.m_line >= first)
            position = TextPosition{first, 0};
    };
    follow(m_anchor);
    follow(m_cursor);
    // Lines after the place where the reader stopped are unread, so when
    // the first of them go the first kept one is.
    if (m_unreadFrom >= end)
        m_unreadFrom -= count;
    else if (m_unreadFrom >= first)
        m_unreadFrom = first;
    if (m_topLine >= end) {
        m_topLine -= count;
    } else if (m_topLine >= first) {
        m_topLine = first;
        m_topRow = 0;
    }
    forgetUnusedLinks();
    m_marks.EraseLines(first, count);
    emit linesErased(first, count);
}

void TextView::forgetUnusedLinks()
{
    const std::vector<int> renumbered = m_document.ForgetUnusedLinks(m_parser.OpenLinks());
    if (renumbered.empty())
        return;
    m_parser.RenumberLinks(renumbered);
    m_pressLink = m_hoverLink = -1;
}

void TextView::appendParsedLines(int firstChanged)
{
    for (int line = firstChanged; line < m_rows.Count(); ++line) {
        m_layouts.erase(line);
        m_rowsExact[size_t(line)] = 0;
        m_rows.Set(line, estimateRows(line));
    }
    for (int line = m_rows.Count(); line < m_document.LineCount(); ++line) {
        m_rows.Append(estimateRows(line));
        m_rowsExact.push_back(0);
    }
}

std::string_view TextView::Fragment(size_t index) const
{
    if (index >= m_fragmentEnds.size())
        return {};
    const size_t begin = index == 0 ? 0 : m_fragmentEnds[index - 1];
    return std::string_view(m_source).substr(begin, m_fragmentEnds[index] - begin);
}

QString TextView::TextOfLines(int firstLine, int firstOffset, int lastLine, int lastOffset) const
{
    QString text;
    for (int line = firstLine; line <= lastLine; ++line) {
        if (line > firstLine && !m_document.Line(line).m_continues)
            text += QLatin1Char('\n');
        text += m_document.CopyText(line, line == firstLine ? firstOffset : 0, line == lastLine ? lastOffset : INT_MAX);
    }
    return text;
}

int TextView::LineCount() const
{
    return m_document.LineCount();
}

QString TextView::PlainText() const
{
    return TextOfLines(0, 0, m_document.LineCount() - 1, INT_MAX);
}

// ---- fonts, rows and layouts ----

void TextView::applyFont()
{
    m_font = QFont(QString::fromStdString(m_style.m_fontName));
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setPixelSize(std::max(1, m_style.m_fontSize) + 3);
    const QFontMetricsF metrics(m_font);
    m_rowHeight = std::max(1, int(std::ceil(metrics.lineSpacing())));
    m_charWidth = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('x')));
    m_layouts.clear();
    reestimateAllRows();
}

int TextView::WidthForColumns(int columns) const
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return int(std::ceil(columns * m_charWidth)) + 2 * kMargin + 2 * frameWidth() + scrollBar;
}

int TextView::textWidth() const
{
    return std::max(20, viewport()->width() - 2 * kMargin);
}

int TextView::visibleRows() const
{
    return std::max(1, (viewport()->height() - kMargin) / m_rowHeight);
}

int TextView::imageWidth(const InlineImage &image, int link) const
{
    if (link >= 0 && !m_bannerCommand.isEmpty() && m_document.Link(link).m_command == m_bannerCommand)
        return m_bannerWidth;
    return image.m_width;
}

int TextView::estimateRows(int line) const
{
    const StyledLine &styled = m_document.Line(line);
    if (styled.m_text.isEmpty())
        return line == m_document.LineCount() - 1 ? 0 : 1;
    qreal width = qreal(styled.m_text.size() - styled.m_imageCount) * m_charWidth;
    if (styled.m_imageCount > 0) {
        for (const StyledRun &run : styled.m_runs) {
            if (run.m_image >= 0)
                width += imageWidth(m_document.Image(run.m_image), run.m_link);
        }
    }
    return std::max(1, int(std::ceil(width / textWidth())));
}

void TextView::reestimateAllRows()
{
    std::vector<int> rows(size_t(m_document.LineCount()));
    for (int line = 0; line < m_document.LineCount(); ++line)
        rows[size_t(line)] = estimateRows(line);
    m_rows.Reset(rows);
    m_rowsExact.assign(rows.size(), 0);
}

QTextLayout *TextView::layoutOf(int line)
{
    if (m_layoutWidth != textWidth()) {
        m_layouts.clear();
        m_layoutWidth = textWidth();
    }
    auto found = m_layouts.find(line);
    if (found != m_layouts.end())
        return found->second.get();

    const StyledLine &styled = m_document.Line(line);
    auto layout = std::make_unique<QTextLayout>(styled.m_text.toString(), m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(8 * m_charWidth);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);

    QList<QTextLayout::FormatRange> formats;
    formats.reserve(qsizetype(styled.m_runs.size()));
    const qreal placeholderWidth = QFontMetricsF(m_font).horizontalAdvance(QChar(0x00A0));
    for (const StyledRun &run : styled.m_runs) {
        const RunStyle &style = m_document.Style(run.m_style);
        QTextLayout::FormatRange range;
        range.start = run.m_start;
        range.length = run.m_length;
        range.format.setForeground(QColor::fromRgb(style.m_foreground));
        if (qAlpha(style.m_background) != 0)
            range.format.setBackground(QColor::fromRgb(style.m_background));
        if (run.m_image >= 0) {
            // The image's place is a no-break space widened to its width.
            range.format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
            range.format.setFontLetterSpacing(imageWidth(m_document.Image(run.m_image), run.m_link) - placeholderWidth);
        } else {
            if (style.m_bold)
                range.format.setFontWeight(QFont::Bold);
            if (style.m_underline)
                range.format.setFontUnderline(true);
        }
        formats.append(range);
    }
    layout->setFormats(formats);

    layout->beginLayout();
    int rows = 0;
    for (QTextLine textLine = layout->createLine(); textLine.isValid(); textLine = layout->createLine()) {
        textLine.setLineWidth(m_layoutWidth);
        textLine.setPosition(QPointF(0, qreal(rows) * m_rowHeight));
        ++rows;
    }
    layout->endLayout();

    if (styled.m_text.isEmpty())
        rows = line == m_document.LineCount() - 1 ? 0 : 1;
    if (m_rows.Rows(line) != rows) {
        m_rows.Set(line, rows);
        scheduleRefresh();
    }
    m_rowsExact[size_t(line)] = 1;
    QTextLayout *result = layout.get();
    m_layouts.emplace(line, std::move(layout));
    return result;
}

void TextView::dropLayoutsExcept(const std::vector<PlacedLine> &keep)
{
    if (m_layouts.size() <= keep.size())
        return;
    std::unordered_map<int, std::unique_ptr<QTextLayout>> kept;
    for (const PlacedLine &placed : keep) {
        auto found = m_layouts.find(placed.m_line);
        if (found != m_layouts.end())
            kept.emplace(placed.m_line, std::move(found->second));
    }
    m_layouts.swap(kept);
}

std::vector<TextView::PlacedLine> TextView::placeVisibleLines()
{
    std::vector<PlacedLine> placed;
    const int height = viewport()->height();
    const int lines = m_document.LineCount();
    if (m_stickToEnd) {
        int bottom = height - kMargin;
        int line = lines - 1;
        for (; line >= 0 && bottom > 0; --line) {
            layoutOf(line);
            const int rows = m_rows.Rows(line);
            if (rows == 0)
                continue;
            bottom -= rows * m_rowHeight;
            placed.push_back(PlacedLine{line, bottom});
        }
        std::reverse(placed.begin(), placed.end());
        // A short document starts at the top, not at the bottom.
        if (line < 0 && !placed.empty() && placed.front().m_top > kMargin) {
            const int shift = placed.front().m_top - kMargin;
            for (PlacedLine &p : placed)
                p.m_top -= shift;
        }
        return placed;
    }
    m_topLine = std::clamp(m_topLine, 0, std::max(0, lines - 1));
    layoutOf(m_topLine);
    m_topRow = std::clamp(m_topRow, 0, std::max(0, m_rows.Rows(m_topLine) - 1));
    int top = kMargin - m_topRow * m_rowHeight;
    for (int line = m_topLine; line < lines && top < height; ++line) {
        layoutOf(line);
        const int rows = m_rows.Rows(line);
        if (rows == 0)
            continue;
        placed.push_back(PlacedLine{line, top});
        top += rows * m_rowHeight;
    }
    return placed;
}

// ---- scrolling ----

void TextView::scheduleRefresh()
{
    if (!m_refreshTimer.isActive())
        m_refreshTimer.start();
}

void TextView::refresh()
{
    updateScrollBar();
    viewport()->update();
}

void TextView::updateScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    const int page = visibleRows();
    const int64_t maximum = std::max<int64_t>(0, m_rows.Total() - page);
    const int64_t value = m_stickToEnd ? maximum : std::min(maximum, m_rows.RowsBefore(m_topLine) + m_topRow);
    m_settingScrollBar = true;
    bar->setPageStep(page);
    bar->setRange(0, int(std::min<int64_t>(maximum, INT_MAX)));
    bar->setValue(int(std::min<int64_t>(value, INT_MAX)));
    m_settingScrollBar = false;
}

void TextView::scrollContentsBy(int, int)
{
    if (m_settingScrollBar)
        return;
    anchorFromScrollBar();
    viewport()->update();
}

void TextView::anchorFromScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    if (bar->value() >= bar->maximum() && m_autoScroll) {
        m_stickToEnd = true;
        return;
    }
    m_stickToEnd = false;
    m_topLine = m_rows.LineAtRow(bar->value(), m_topRow);
}

void TextView::freezeAtCurrentTop()
{
    if (!m_stickToEnd)
        return;
    const std::vector<PlacedLine> placed = placeVisibleLines();
    m_stickToEnd = false;
    if (placed.empty()) {
        m_topLine = std::max(0, m_document.LineCount() - 1);
        m_topRow = 0;
        return;
    }
    m_topLine = placed.front().m_line;
    m_topRow = std::max(0, (kMargin - placed.front().m_top) / m_rowHeight);
}

void TextView::ScrollToEnd()
{
    if (!m_autoScroll)
        return;
    m_stickToEnd = true;
    updateScrollBar();
    viewport()->update();
}

void TextView::SetAutoScroll(bool on)
{
    if (on == m_autoScroll)
        return;
    if (!on)
        freezeAtCurrentTop();
    m_autoScroll = on;
    if (on && IsAtEnd())
        m_stickToEnd = true;
    scheduleRefresh();
}

bool TextView::IsAtEnd() const
{
    if (m_stickToEnd)
        return true;
    return m_rows.RowsBefore(m_topLine) + m_topRow >= m_rows.Total() - visibleRows();
}

void TextView::ResizeBanner(int width)
{
    const int bannerWidth = width >= 470 ? 468 : std::max(1, width);
    if (bannerWidth == m_bannerWidth)
        return;
    m_bannerWidth = bannerWidth;
    if (!m_bannerCommand.isEmpty()) {
        m_layouts.clear();
        reestimateAllRows();
        scheduleRefresh();
    }
}

void TextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_layoutWidth != textWidth()) {
        m_layouts.clear();
        reestimateAllRows();
    }
    updateScrollBar();
}

// ---- painting ----

void TextView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.drawTiledPixmap(viewport()->rect(), backgroundTile());

    const std::vector<PlacedLine> placed = placeVisibleLines();
    for (const PlacedLine &line : placed)
        paintLine(painter, line);
    paintUnreadMarker(painter, placed);
    dropLayoutsExcept(placed);
}

namespace {

// The last gradient strip made, shared by every view of the same width and
// colour (all maximised windows are), so that each does not keep its own.
struct SharedTile
{
    QPixmap tile;
    uint32_t color = 0;
};
QPixmap GradientTile(int width, uint32_t color)
{
    static constexpr int kTileHeight = 32;
    QPixmap tile(width, kTileHeight);
    QPainter painter(&tile);
    QLinearGradient gradient(QPointF(0, 0), QPointF(width - 1, 0));
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor::fromRgb(QRgb(color)));
    painter.fillRect(tile.rect(), gradient);
    return tile;
}

} // namespace

const QPixmap &TextView::backgroundTile()
{
    const int width = std::max(1, viewport()->width());
    if (m_backgroundTile.width() == width && m_tileColor == m_style.m_colorList && !m_backgroundTile.isNull())
        return m_backgroundTile;
    SharedTile &last = WhileAppRuns<SharedTile>();
    if (last.tile.isNull() || last.tile.width() != width || last.color != m_style.m_colorList) {
        last.tile = GradientTile(width, m_style.m_colorList);
        last.color = m_style.m_colorList;
    }
    m_backgroundTile = last.tile;
    m_tileColor = m_style.m_colorList;
    return m_backgroundTile;
}

void TextView::paintLine(QPainter &painter, const PlacedLine &placed)
{
    QTextLayout *layout = layoutOf(placed.m_line);
    QList<QTextLayout::FormatRange> selections;
    // The selection comes last, so that it shows over the marks.
    addMarkFormats(placed.m_line, selections);
    if (HasSelection()) {
        TextPosition from, to;
        selectionRange(from, to);
        if (placed.m_line >= from.m_line && placed.m_line <= to.m_line) {
            const int start = placed.m_line == from.m_line ? from.m_offset : 0;
            const int end =
                placed.m_line == to.m_line ? to.m_offset : int(m_document.Line(placed.m_line).m_text.size());
            if (end > start) {
                QTextLayout::FormatRange range;
                range.start = start;
                range.length = end - start;
                range.format.setBackground(palette().brush(QPalette::Highlight));
                range.format.setForeground(palette().brush(QPalette::HighlightedText));
                selections.append(range);
            }
        }
    }
    layout->draw(&painter, QPointF(kMargin, placed.m_top), selections);
    if (m_document.Line(placed.m_line).m_imageCount > 0)
        paintImages(painter, placed, layout);
}

void TextView::paintImages(QPainter &painter, const PlacedLine &placed, QTextLayout *layout)
{
    for (const StyledRun &run : m_document.Line(placed.m_line).m_runs) {
        if (run.m_image < 0)
            continue;
        const InlineImage &image = m_document.Image(run.m_image);
        const QTextLine textLine = layout->lineForTextPosition(run.m_start);
        if (!textLine.isValid())
            continue;
        const int width = imageWidth(image, run.m_link);
        const qreal x = kMargin + textLine.cursorToX(run.m_start);
        const qreal y = placed.m_top + textLine.y() + (m_rowHeight - image.m_height) / 2.0;
        const QRectF target(x, y, width, image.m_height);
        const QPixmap &pixmap = image.pixmap();
        if (!pixmap.isNull())
            painter.drawPixmap(target, pixmap, QRectF(pixmap.rect()));
        else
            painter.drawText(target, Qt::AlignCenter | Qt::TextDontClip, image.m_copyText);
    }
}

QRect TextView::VisibleTextRect(const QString &text)
{
    if (text.isEmpty())
        return {};
    for (const PlacedLine &placed : placeVisibleLines()) {
        const qsizetype index = m_document.Line(placed.m_line).m_text.toString().indexOf(text);
        if (index < 0)
            continue;
        QTextLayout *layout = layoutOf(placed.m_line);
        const QTextLine textLine = layout->lineForTextPosition(int(index));
        const qreal left = textLine.cursorToX(int(index));
        const qreal right = textLine.cursorToX(int(index + text.size()));
        return QRectF(kMargin + left, placed.m_top + textLine.y(), std::max<qreal>(1, right - left), m_rowHeight)
            .toAlignedRect()
            .intersected(viewport()->rect());
    }
    return {};
}
