// IRCv3 capability negotiation during registration, and what the session
// keeps of the capabilities' notifications.
#include "session/Session.h"

#include <ctime>

#include "text/CaseFold.h"
#include "text/Strings.h"

namespace {

// Accounts kept at most: enough for the members of many large channels.
constexpr size_t kMostAccounts = 50000;

} // namespace

void Session::RequestCapabilities()
{
    const std::string request = m_caps.Request(!SaslMechanism().empty());
    if (request.empty()) {
        CapabilitiesAcknowledged();
        return;
    }
    m_caps.SetRequestPending(true);
    SendLine("CAP REQ :" + request);
}

void Session::CapabilitiesAcknowledged()
{
    if (m_caps.IsRequestPending() || !m_caps.IsNegotiating())
        return;
    // The login comes between the agreement and the end of negotiation.
    if (m_saslState == SaslState::None && StartSasl())
        return;
    EndCapabilities();
}

void Session::EndCapabilities()
{
    if (!m_caps.IsNegotiating())
        return;
    m_caps.EndNegotiation();
    SendLine("CAP END");
    std::string agreed;
    for (const std::string &name : m_caps.Enabled())
        agreed += (agreed.empty() ? "" : " ") + name;
    if (!agreed.empty())
        PrintTo("", TextClass::Info, Strings::Format(Str::CapabilitiesAgreed, agreed.c_str()));
}

int64_t Session::LineTime() const
{
    const bool dated = m_caps.IsEnabled("server-time") || m_caps.IsEnabled("znc.in/server-time-iso");
    return dated ? m_lineTags.ServerTime() : 0;
}

void Session::NoteWelcomeTime()
{
    const int64_t serverTime = LineTime();
    m_welcomeTime = serverTime != 0 ? serverTime : int64_t(std::time(nullptr));
    for (Conversation *window : Windows())
        window->BeginAttachment();
}

bool Session::IsPlayedBack() const
{
    const std::string batch = m_lineTags.Value("batch");
    if (!batch.empty()) {
        const auto open = m_batches.find(batch);
        if (open != m_batches.end() && (open->second == "znc.in/playback" || open->second == "chathistory"))
            return true;
    }
    const int64_t time = LineTime();
    return time != 0 && m_welcomeTime != 0 && time < m_welcomeTime;
}

void Session::OpenBatch(const std::string &reference, const std::string &type)
{
    if (reference.empty() || (m_batches.size() >= kMostBatches && !m_batches.count(reference)))
        return;
    m_batches[reference] = type;
}

void Session::CloseBatch(const std::string &reference)
{
    m_batches.erase(reference);
}

void Session::SetAccount(const std::string &nick, const std::string &account)
{
    if (nick.empty())
        return;
    const std::string key = FoldCase(nick);
    if (account.empty() || account == "*") {
        m_accounts.erase(key);
        return;
    }
    if (m_accounts.size() < kMostAccounts || m_accounts.count(key))
        m_accounts[key] = account;
}

std::string Session::AccountOf(const std::string &nick) const
{
    const auto found = m_accounts.find(FoldCase(nick));
    return found == m_accounts.end() ? std::string() : found->second;
}
