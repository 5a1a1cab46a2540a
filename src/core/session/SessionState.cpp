// The state that the command handlers and the server message handlers keep
// on the session (see the last public section of Session.h).
#include "session/Session.h"

#include <algorithm>

void Session::RecordCommand(const std::string &line, int result)
{
    m_lastCommand = line;
    m_lastResult = result;
}

void Session::RouteWhoisReplies(bool toPopup, bool toAll)
{
    m_whoisPopup = toPopup;
    m_whoisAll = toAll;
}

void Session::QueueWhoAction(const std::string &entry)
{
    m_whoActions.push_back(entry);
}

std::vector<std::string> Session::TakeWhoActions(const std::function<bool(const std::string &)> &isDue)
{
    // One pass that keeps the order of both parts: the queue may hold
    // thousands of entries and every WHO reply looks through it.
    std::vector<std::string> due;
    size_t kept = 0;
    for (size_t i = 0; i < m_whoActions.size(); ++i) {
        if (isDue(m_whoActions[i]))
            due.push_back(std::move(m_whoActions[i]));
        else if (kept++ != i)
            m_whoActions[kept - 1] = std::move(m_whoActions[i]);
    }
    m_whoActions.resize(kept);
    return due;
}

void Session::RemovePropertySheet(const std::string &nick)
{
    const auto it = std::find(m_propertyDialogs.begin(), m_propertyDialogs.end(), nick);
    if (it != m_propertyDialogs.end())
        m_propertyDialogs.erase(it);
}
