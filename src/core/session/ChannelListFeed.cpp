#include "session/ChannelListFeed.h"

#include "conversation/Shell.h"
#include "session/Session.h"

void ChannelListFeed::Begin()
{
    m_state = State::Running;
    if (Shell *shell = m_session.GetShell())
        shell->ChannelListBegin(m_session.Key());
}

void ChannelListFeed::Row(const std::string &channel, uint32_t users, const std::string &topic)
{
    if (m_state == State::Stopped)
        return;
    if (m_state == State::Idle)
        Begin();
    if (Shell *shell = m_session.GetShell())
        shell->ChannelListRow(m_session.Key(), channel, users, topic);
}

void ChannelListFeed::End()
{
    m_state = State::Idle;
    if (Shell *shell = m_session.GetShell())
        shell->ChannelListEnd(m_session.Key());
}

void ChannelListFeed::Stop()
{
    if (m_state != State::Running)
        return;
    m_state = State::Stopped;
    if (Shell *shell = m_session.GetShell())
        shell->ChannelListEnd(m_session.Key());
}
