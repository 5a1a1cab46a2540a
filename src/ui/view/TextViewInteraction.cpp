// The mouse, the keys, the selection and the copies of a TextView:
// hit testing, selecting and copying, clicks on elements, the source window
// and saving to a file.

#include "view/TextView.h"

#include "widgets/MenuText.h"
#include "widgets/PlainToolTip.h"
#include "widgets/Utf8Text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <climits>

namespace {

bool IsRunnableCommand(const QString &command)
{
    return !command.isEmpty() && !command.contains(QLatin1Char('\r')) && !command.contains(QLatin1Char('\n'))
        && !command.contains(QChar(0));
}

} // namespace

// ---- hit testing and selection ----

TextView::TextPosition TextView::hitTest(const QPoint &pos, bool exactOnly)
{
    const std::vector<PlacedLine> placed = placeVisibleLines();
    if (placed.empty())
        return {};
    for (const PlacedLine &line : placed) {
        const int rows = m_rows.Rows(line.m_line);
        if (pos.y() < line.m_top || pos.y() >= line.m_top + rows * m_rowHeight)
            continue;
        QTextLayout *layout = layoutOf(line.m_line);
        const int row = std::clamp((pos.y() - line.m_top) / m_rowHeight, 0, std::max(0, layout->lineCount() - 1));
        const QTextLine textLine = layout->lineAt(row);
        if (!textLine.isValid())
            return exactOnly ? TextPosition() : TextPosition{line.m_line, 0};
        const qreal x = pos.x() - kMargin;
        if (exactOnly) {
            if (x < 0 || x >= textLine.naturalTextWidth())
                return {};
            return TextPosition{line.m_line, textLine.xToCursor(x, QTextLine::CursorOnCharacter)};
        }
        return TextPosition{line.m_line, textLine.xToCursor(x, QTextLine::CursorBetweenCharacters)};
    }
    if (exactOnly)
        return {};
    if (pos.y() < placed.front().m_top)
        return TextPosition{placed.front().m_line, 0};
    const int last = placed.back().m_line;
    return TextPosition{last, int(m_document.Line(last).m_text.size())};
}

int TextView::linkAt(const QPoint &pos)
{
    const TextPosition position = hitTest(pos, true);
    if (!position.isValid())
        return -1;
    for (const StyledRun &run : m_document.Line(position.m_line).m_runs) {
        if (position.m_offset >= run.m_start && position.m_offset < run.m_start + run.m_length)
            return run.m_link;
    }
    return -1;
}

QString TextView::commandOfLink(int link) const
{
    return link >= 0 && link < m_document.LinkCount() ? m_document.Link(link).m_command : QString();
}

void TextView::selectionRange(TextPosition &from, TextPosition &to) const
{
    from = m_anchor;
    to = m_cursor;
    if (to.m_line < from.m_line || (to.m_line == from.m_line && to.m_offset < from.m_offset))
        std::swap(from, to);
}

bool TextView::HasSelection() const
{
    return m_anchor.isValid() && m_cursor.isValid()
        && (m_anchor.m_line != m_cursor.m_line || m_anchor.m_offset != m_cursor.m_offset);
}

QString TextView::SelectedText() const
{
    if (!HasSelection())
        return {};
    TextPosition from, to;
    selectionRange(from, to);
    if (to.m_line >= m_document.LineCount())
        return {};
    return TextOfLines(from.m_line, from.m_offset, to.m_line, to.m_offset);
}

void TextView::SelectAll()
{
    const int last = m_document.LineCount() - 1;
    m_anchor = TextPosition{0, 0};
    m_cursor = TextPosition{last, int(m_document.Line(last).m_text.size())};
    viewport()->update();
}

void TextView::Copy()
{
    if (HasSelection())
        QGuiApplication::clipboard()->setText(SelectedText());
}

// ---- mouse and keys ----

void TextView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_pressPos = event->position().toPoint();
    m_pressLink = linkAt(m_pressPos);
    m_anchor = m_cursor = hitTest(m_pressPos, false);
    m_selecting = true;
    viewport()->update();
}

void TextView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_selecting && (event->buttons() & Qt::LeftButton)) {
        m_cursor = hitTest(pos, false);
        viewport()->update();
        return;
    }
    const int link = linkAt(pos);
    if (link == m_hoverLink)
        return;
    m_hoverLink = link;
    if (!commandOfLink(link).isEmpty())
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
}

void TextView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    m_selecting = false;
    if (m_ignoreRelease) {
        m_ignoreRelease = false;
        return;
    }
    const bool moved = (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance();
    const int link = linkAt(pos);
    const QString command = commandOfLink(link);
    if (!moved && link >= 0 && link == m_pressLink && !command.isEmpty()) {
        if (IsRunnableCommand(command))
            emit commandClicked(command);
        return;
    }
    if (isSignalConnected(QMetaMethod::fromSignal(&TextView::plainClicked)))
        emit plainClicked();
    else
        Copy();
}

void TextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // The release that follows a double click is not a click of its own.
    m_ignoreRelease = true;
    m_selecting = false;
    emit doubleClicked();
}

void TextView::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuRequested(commandOfLink(linkAt(event->pos())), event->globalPos());
    event->accept();
}

void TextView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    QScrollBar *bar = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        return;
    case Qt::Key_PageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return;
    case Qt::Key_Home:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        return;
    case Qt::Key_End:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

bool TextView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int link = linkAt(help->pos());
        const QString title = link >= 0 ? m_document.Link(link).m_title : QString();
        if (title.isEmpty())
            QToolTip::hideText();
        else
            ShowPlainToolTip(help->globalPos(), title, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// ---- source and saving ----

QWidget *TextView::ShowSource()
{
    auto *source = new QPlainTextEdit;
    source->setAttribute(Qt::WA_DeleteOnClose);
    source->setWindowTitle(ToolTipOfMenuText(FromStr(Str::CommandViewSource)));
    source->setReadOnly(true);
    source->setLineWrapMode(QPlainTextEdit::NoWrap);
    source->setPlainText(QString::fromUtf8(m_source.data(), qsizetype(m_source.size())));
    source->resize(700, 500);
    source->show();
    return source;
}

void TextView::SaveAs()
{
    const QString htmlFilter = FromStr(Str::HtmlFileFilter);
    const QString textFilter = FromStr(Str::TextFileFilter);
    QString chosenFilter = htmlFilter;
    const QString path =
        QFileDialog::getSaveFileName(this, ToolTipOfMenuText(FromStr(Str::CommandViewSaveAs)), QString(),
                                     htmlFilter + QStringLiteral(";;") + textFilter, &chosenFilter);
    if (path.isEmpty())
        return;
    const bool asText = chosenFilter == textFilter || path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
    SaveToFile(path, !asText);
}

bool TextView::SaveToFile(const QString &path, bool asHtml) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray content;
    if (asHtml) {
        content = "<html><head><meta http-equiv='Content-Type' content='text/html; charset=utf-8'></head>\r\n";
        content.append(m_source.data(), qsizetype(m_source.size()));
        content.append("\r\n</pre></body></html>\r\n");
    } else {
        content = PlainText().toUtf8();
        content.append('\n');
    }
    return file.write(content) == content.size() && file.flush();
}
