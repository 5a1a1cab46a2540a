// What a conversation window shows of its past and of the reader's place:
// the lines shown again from its log when it opens, and the marker above the
// first line that came after the reader left it.
#include "windows/ConversationWindow.h"

#include "history/LogTail.h"
#include "text/CaseFold.h"
#include "text/FormatLine.h"
#include "text/Strings.h"
#include "view/FadedFormat.h"
#include "view/TextView.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <set>

namespace {

using NickTest = std::function<bool(std::string_view nick)>;

// The senders of the lines count as nicks besides the members of the list:
// a window that opens has no members yet, and some have left since.
NickTest WithSendersOf(const std::vector<LoggedLine> &lines, NickTest members)
{
    std::set<std::string> senders;
    for (const LoggedLine &line : lines)
        if (!line.entry.nick.empty())
            senders.insert(FoldCase(line.entry.nick));
    return [senders = std::move(senders), members = std::move(members)](std::string_view nick) {
        return senders.count(FoldCase(nick)) > 0 || (members && members(nick));
    };
}

std::string SeparatorText(int64_t time)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return Strings::Format(Str::ShownAgainUntil, local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

} // namespace

void ConversationWindow::ShowAgain(const std::vector<LoggedLine> &lines)
{
    if (lines.empty())
        return;
    RefreshFormatContext();
    FormatContext context = FadedFormat(m_view->formatContext());
    context.m_decoration.m_isNickListMember = WithSendersOf(lines, context.m_decoration.m_isNickListMember);
    for (const LoggedLine &line : lines) {
        const PrintedLine printed = PrintedLineOf(line.entry);
        m_view->Write(::FormatLine(printed.text, static_cast<TextClass>(printed.textClass),
                                   static_cast<std::time_t>(line.time), context));
    }
    context.m_timeStamps = false;
    m_view->Write(::FormatLine(SeparatorText(lines.back().time), TextClass::Info, 0, context));
    // What the log held was before the reader once.
    m_lastLook = std::max(m_lastLook, lines.back().time);
}

bool ConversationWindow::IsBeingRead() const
{
    const QMdiSubWindow *child = SubWindow();
    return child && IsActiveChild() && !child->isMinimized() && isVisible() && isActiveWindow();
}

bool ConversationWindow::JumpToUnread()
{
    return m_view->ScrollToUnreadMarker();
}

void ConversationWindow::WatchTheReader(QMdiArea *area)
{
    m_readerCheck.setSingleShot(true);
    m_readerCheck.setInterval(0);
    connect(&m_readerCheck, &QTimer::timeout, this, &ConversationWindow::FollowTheReader);
    const auto check = [this] { m_readerCheck.start(); };
    connect(area, &QMdiArea::subWindowActivated, this, check);
    connect(SubWindow(), &QMdiSubWindow::windowStateChanged, this, check);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, check);
    FollowTheReader();
}

void ConversationWindow::FollowTheReader()
{
    const bool read = IsBeingRead();
    if (m_beingRead && !read)
        m_view->MarkRead();
    if (read || m_beingRead)
        m_lastLook = static_cast<int64_t>(std::time(nullptr));
    m_beingRead = read;
}
