#include "session/Capabilities.h"

#include <algorithm>

namespace {

// The words of a capability list, without empty ones.
template <typename Visit>
void ForEachWord(std::string_view list, Visit visit)
{
    while (!list.empty()) {
        const size_t blank = list.find(' ');
        const std::string_view word = list.substr(0, blank);
        if (!word.empty())
            visit(word);
        if (blank == std::string_view::npos)
            break;
        list.remove_prefix(blank + 1);
    }
}

const char *const kSasl = "sasl";
const char *const kServerTime = "server-time";
const char *const kServerTimeIso = "znc.in/server-time-iso";

} // namespace

const std::vector<std::string_view> &Capabilities::Wanted()
{
    // The "znc.in/" ones are a bouncer's: lines another of the user's
    // clients sent, and the server's time under its older name.
    static const std::vector<std::string_view> wanted = {
        "account-notify",
        "away-notify",
        "batch",
        "cap-notify",
        "chghost",
        "echo-message",
        "extended-join",
        "message-tags",
        "multi-prefix",
        "server-time",
        "userhost-in-names",
        "znc.in/self-message",
        "znc.in/server-time-iso",
    };
    return wanted;
}

bool Capabilities::IsUnderstood(std::string_view name)
{
    const auto &wanted = Wanted();
    return name == kSasl || std::find(wanted.begin(), wanted.end(), name) != wanted.end();
}

void Capabilities::Reset()
{
    m_offered.clear();
    m_enabled.clear();
    m_listLines = 0;
    m_negotiating = true;
    m_requestPending = false;
}

void Capabilities::AddOffered(std::string_view list)
{
    ForEachWord(list, [this](std::string_view word) {
        const size_t equals = word.find('=');
        const std::string_view name = word.substr(0, equals);
        if (!IsUnderstood(name))
            return;
        const std::string value =
            equals == std::string_view::npos ? std::string() : std::string(word.substr(equals + 1, MaxValue));
        auto known = std::find_if(m_offered.begin(), m_offered.end(), [&](const Offer &o) { return o.name == name; });
        if (known != m_offered.end())
            known->value = value;
        else
            m_offered.push_back({std::string(name), value});
    });
}

void Capabilities::Remove(std::string_view list)
{
    ForEachWord(list, [this](std::string_view name) {
        std::erase_if(m_offered, [&](const Offer &o) { return o.name == name; });
        std::erase(m_enabled, name);
    });
}

void Capabilities::Acknowledge(std::string_view list)
{
    ForEachWord(list, [this](std::string_view word) {
        const bool disable = word.front() == '-';
        const std::string_view name = disable ? word.substr(1) : word;
        if (!IsUnderstood(name))
            return;
        std::erase(m_enabled, name);
        if (!disable)
            m_enabled.emplace_back(name);
    });
}

std::string Capabilities::Request(bool withSasl) const
{
    std::string request;
    auto add = [&](std::string_view name) {
        if (!IsOffered(name) || IsEnabled(name))
            return;
        if (!request.empty())
            request += ' ';
        request += name;
    };
    for (std::string_view name : Wanted()) {
        // The older name of the server's time only where the standard one is missing.
        if (name == kServerTimeIso && IsOffered(kServerTime))
            continue;
        add(name);
    }
    if (withSasl)
        add(kSasl);
    return request;
}

bool Capabilities::IsOffered(std::string_view name) const
{
    return std::any_of(m_offered.begin(), m_offered.end(), [&](const Offer &o) { return o.name == name; });
}

bool Capabilities::IsEnabled(std::string_view name) const
{
    return std::find(m_enabled.begin(), m_enabled.end(), name) != m_enabled.end();
}

std::string Capabilities::OfferedValue(std::string_view name) const
{
    for (const Offer &offer : m_offered) {
        if (offer.name == name)
            return offer.value;
    }
    return std::string();
}
