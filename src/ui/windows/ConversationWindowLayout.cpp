// The layout of a conversation window: the tool bar, the text view, the nick
// list with its splitter, the input line with its style button, and the
// separator lines between them.
#include "windows/ConversationWindow.h"

#include "find/FindBar.h"
#include "input/InputLine.h"
#include "input/TextStyleButton.h"
#include "nicklist/NickListView.h"
#include "view/TextView.h"
#include "windows/ConversationToolBar.h"
#include "windows/NickListSplitter.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <vector>

namespace {

// Where the panes are (an empty rectangle for a hidden one), to tell whether a
// layout moved anything.
std::vector<QRect> PanePlaces(std::initializer_list<const QWidget *> panes)
{
    std::vector<QRect> places;
    for (const QWidget *pane : panes)
        places.push_back(pane->isHidden() ? QRect() : pane->geometry());
    return places;
}

} // namespace

// ---- the nick list's width ----

void ConversationWindow::SetNickListWidth(int width)
{
    m_nickListWidth = std::max(width, kAutoNickListWidth);
    LayoutPanes();
}

// Until the user drags the splitter the list grows to show a longer nick
// that joins; it does not shrink when one leaves, so the text does not
// rewrap under the reader at every part.
void ConversationWindow::FitNickList()
{
    if (m_kind != Conversation::KindChannel)
        return;
    const int fitted = m_users->FittedWidth(m_users->height());
    if (fitted <= m_fittedListWidth)
        return;
    m_fittedListWidth = fitted;
    LayoutPanes();
}

// ---- layout ----

void ConversationWindow::LayoutPanes()
{
    const auto panes = {static_cast<const QWidget *>(m_bar),   static_cast<const QWidget *>(m_users),
                        static_cast<const QWidget *>(m_sizer), static_cast<const QWidget *>(m_view),
                        static_cast<const QWidget *>(m_input), static_cast<const QWidget *>(m_style)};
    const std::vector<QRect> before = PanePlaces(panes);
    const int w = width();
    const int h = height();
    const bool withInput = m_kind != Conversation::KindView;
    const int inputHeight = withInput ? InputLine::kHeight : 0;
    const int inputTop = withInput ? h - inputHeight - 1 : h;
    // The find bar takes a strip above the input line, across the window.
    const int findHeight = m_findBar && m_findBar->isVisible() ? m_findBar->sizeHint().height() : 0;
    const int top = std::max(0, inputTop - findHeight);
    if (findHeight > 0)
        m_findBar->setGeometry(0, top, w, findHeight);

    const bool withBar = WindowType() == Conversation::TypeChannel;
    m_bar->setVisible(withBar);
    const int barWidth = withBar ? m_bar->sizeHint().width() : 0;
    if (withBar)
        m_bar->setGeometry(0, 0, barWidth, top);
    const int left = withBar ? barWidth + 1 : 0;

    const bool withUsers = m_kind == Conversation::KindChannel;
    m_users->setVisible(withUsers);
    m_sizer->setVisible(withUsers);
    int viewRight = w;
    if (withUsers) {
        const int listWidth = LaidOutNickListWidth(w - left - NickListSplitter::kWidth, top);
        m_users->setGeometry(w - listWidth, 0, listWidth, top);
        m_sizer->setGeometry(w - listWidth - NickListSplitter::kWidth, 0, NickListSplitter::kWidth, top);
        viewRight = w - listWidth - NickListSplitter::kWidth;
    }
    m_view->setGeometry(left, 0, std::max(0, viewRight - left), std::max(0, top));

    m_input->setVisible(withInput);
    m_style->setVisible(withInput);
    if (withInput) {
        m_style->setGeometry(0, inputTop + 1, kStyleButtonWidth, inputHeight);
        m_input->setGeometry(kStyleButtonWidth, inputTop + 1, std::max(0, w - kStyleButtonWidth), inputHeight);
    }
    // Channel modes change this often under a flood; repainting the whole
    // window each time would cost more than the text itself.
    if (PanePlaces(panes) != before)
        update();
}

// room: what the text and the list share. The list gives way down to its
// minimum before the text column becomes narrower than kMinTextColumns.
int ConversationWindow::LaidOutNickListWidth(int room, int height) const
{
    room = std::max(room, 0);
    const int minimum = std::min(m_users->MinimumWidth(height), room);
    const int wanted = m_nickListWidth > kAutoNickListWidth ? m_nickListWidth : m_fittedListWidth;
    const int spare = room - m_view->WidthForColumns(kMinTextColumns);
    return std::clamp(std::min(wanted, spare), minimum, room);
}

void ConversationWindow::resizeEvent(QResizeEvent *event)
{
    ChildWindow::resizeEvent(event);
    LayoutPanes();
    m_view->ResizeBanner(m_view->viewport()->width());
    m_scrollTimer.start();
}

void ConversationWindow::paintEvent(QPaintEvent *event)
{
    ChildWindow::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    if (m_input->isVisible())
        painter.drawLine(0, m_input->y() - 1, width(), m_input->y() - 1);
    if (m_users->isVisible())
        painter.drawLine(m_users->x() - 1, 0, m_users->x() - 1, m_users->height());
    if (m_bar->isVisible())
        painter.drawLine(m_bar->width(), 0, m_bar->width(), m_bar->height());
}
