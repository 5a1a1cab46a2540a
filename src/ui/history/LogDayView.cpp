#include "history/LogDayView.h"

#include "history/LogFindResult.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A day's log is small; a file grown past this is shown up to it.
constexpr qint64 kMostBytes = 64 << 20;

} // namespace

LogDayView::LogDayView(const LogFound &found, QWidget *parent) : QWidget(parent, Qt::Window), m_text(new QPlainTextEdit)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FromUtf8(Strings::Format(Str::LogDayTitle, found.file.NetworkName().c_str(),
                                            found.file.WindowName().c_str(), found.file.day.c_str())));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    resize(760, 480);

    QFile file(QString::fromStdString(found.path));
    if (!file.open(QIODevice::ReadOnly)) {
        m_text->setPlainText(FromUtf8(Strings::Format(Str::LogDayUnreadable, found.path.c_str())));
        return;
    }
    const QByteArray bytes = file.read(kMostBytes);
    m_foundLine = int(std::count(bytes.begin(), bytes.begin() + std::min<qint64>(found.offset, bytes.size()), '\n'));
    m_text->setPlainText(QString::fromUtf8(bytes));
    MarkLine(m_foundLine);
}

void LogDayView::MarkLine(int line)
{
    const QTextBlock block = m_text->document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    m_text->setTextCursor(cursor);
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(palette().color(QPalette::Highlight).lighter(170));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    m_text->setExtraSelections({mark});
    m_text->centerCursor();
}
