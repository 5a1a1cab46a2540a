// Finding in a conversation window: the find bar below the text, its
// commands (Ctrl+F, F3, Shift+F3), and showing a line again by its number.
#include "windows/ConversationWindow.h"

#include "app/CommandIds.h"
#include "find/FindBar.h"
#include "input/InputLine.h"
#include "view/TextView.h"

#include <QLineEdit>

#include <utility>

void ConversationWindow::OpenFindBar()
{
    if (!m_findBar) {
        m_findBar = new FindBar(m_view, this);
        connect(m_findBar, &FindBar::closed, this, &ConversationWindow::FindBarClosed);
    }
    const QString selected = m_view->SelectedText();
    m_findBar->Open(selected.contains(QLatin1Char('\n')) ? QString() : selected);
    LayoutPanes();
}

void ConversationWindow::FindBarClosed()
{
    // From inside the window: the input line leaves the reader at the hit.
    if (m_kind != Conversation::KindView)
        m_input->setFocus(Qt::OtherFocusReason);
    else
        m_view->setFocus(Qt::OtherFocusReason);
    m_findBar->hide();
    LayoutPanes();
}

bool ConversationWindow::RunFindCommand(int id)
{
    switch (id) {
    case CommandId::FindInWindow:
        OpenFindBar();
        return true;
    case CommandId::FindNext:
    case CommandId::FindPrevious:
        if (!m_findBar || m_findBar->isHidden() || m_findBar->Field()->text().isEmpty()) {
            OpenFindBar();
            return true;
        }
        if (id == CommandId::FindNext)
            m_findBar->FindNext();
        else
            m_findBar->FindPrevious();
        return true;
    default:
        return false;
    }
}

uint64_t ConversationWindow::LastLineId() const
{
    return m_view->LastFragmentId();
}

bool ConversationWindow::ScrollToShownLine(uint64_t lineId)
{
    const int line = m_view->LineOfFragment(lineId);
    if (line < 0)
        return false;
    m_view->ScrollToLine(line);
    // A window that comes forward maximised was just sized anew, and timer
    // 1 would take it to the end: it shows this line instead.
    m_lineAfterResize = m_scrollTimer.isActive() ? lineId : 0;
    return true;
}

void ConversationWindow::ScrollAfterResize()
{
    const uint64_t lineId = std::exchange(m_lineAfterResize, 0);
    const int line = lineId != 0 ? m_view->LineOfFragment(lineId) : -1;
    if (line >= 0)
        m_view->ScrollToLine(line);
    else
        m_view->ScrollToEnd();
}
