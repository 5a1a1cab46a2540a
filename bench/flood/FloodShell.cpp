#include "FloodShell.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "conversation/Conversation.h"
#include "windows/ChannelFrame.h"

FloodShell::FloodShell() : m_window(std::make_unique<QMainWindow>()), m_area(new QMdiArea(m_window.get()))
{
    m_window->setCentralWidget(m_area);
    m_window->resize(1024, 768);
    if (!qEnvironmentVariableIsSet("BRIMO_FLOOD_HIDDEN")) {
        m_window->show();
        m_window->activateWindow();
    }
}

FloodShell::~FloodShell()
{
    // The windows detach from their conversations before the session table goes.
    m_window.reset();
}

ConversationView *FloodShell::CreateView(Conversation &conversation)
{
    CChannelFrame *frame = CChannelFrame::Open(m_area, conversation, this, m_settings);
    if (frame && frame->SubWindow())
        frame->SubWindow()->showMaximized();
    m_frames.emplace_back(frame);
    return frame;
}

bool FloodShell::IsMainWindowVisible() const
{
    return m_window->isVisible();
}

bool FloodShell::IsMainWindowActive() const
{
    return m_window->isActiveWindow();
}

CChannelFrame *FloodShell::Frame(const std::string &name) const
{
    for (const QPointer<CChannelFrame> &frame : m_frames) {
        if (frame && frame->GetConversation() && frame->GetConversation()->Name() == name)
            return frame;
    }
    return nullptr;
}
