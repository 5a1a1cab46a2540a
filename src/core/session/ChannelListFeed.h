#pragma once

#include <cstdint>
#include <string>

class Session;

// The LIST replies of one session on their way to the channel search window
// (through the Shell): a list starts on 321, or on the first row when none
// is running, and ends on 323 or when the connection is lost. After the user
// stops a running list, its remaining rows are dropped until it ends, so
// they neither fill the window nor start a new list.
class ChannelListFeed
{
public:
    enum class State { Idle, Running, Stopped };

    explicit ChannelListFeed(Session &session) : m_session(session) {}

    void Begin();
    // One row of the list: channel, its user count and topic (as received).
    void Row(const std::string &channel, uint32_t users, const std::string &topic);
    void End();
    // The user no longer wants the running list; the window is told it ended.
    void Stop();

    State CurrentState() const { return m_state; }

private:
    Session &m_session;
    State m_state = State::Idle;
};
