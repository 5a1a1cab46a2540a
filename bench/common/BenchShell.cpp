#include "BenchShell.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "conversation/Conversation.h"
#include "windows/ConversationWindow.h"

BenchShell::BenchShell(bool visible) : m_window(std::make_unique<QMainWindow>()), m_area(new QMdiArea(m_window.get()))
{
    m_window->setCentralWidget(m_area);
    m_window->resize(1024, 768);
    if (visible) {
        m_window->show();
        m_window->activateWindow();
    }
}

BenchShell::~BenchShell()
{
    // The windows detach from their conversations before the session table goes.
    m_window.reset();
}

ConversationView *BenchShell::CreateView(Conversation &conversation)
{
    ConversationWindow *frame = ConversationWindow::Open(m_area, conversation, this, m_settings);
    if (frame && frame->SubWindow())
        frame->SubWindow()->showMaximized();
    m_frames.emplace_back(frame);
    return frame;
}

bool BenchShell::IsMainWindowVisible() const
{
    return m_window->isVisible();
}

bool BenchShell::IsMainWindowActive() const
{
    return m_window->isActiveWindow();
}

ConversationWindow *BenchShell::Frame(const std::string &name) const
{
    for (const QPointer<ConversationWindow> &frame : m_frames) {
        if (frame && frame->GetConversation() && frame->GetConversation()->Name() == name)
            return frame;
    }
    return nullptr;
}
