#include "shell/AlertBatcher.h"

#include "text/CaseFold.h"
#include "text/Decoration.h"
#include "text/IrcCodes.h"
#include "text/Strings.h"

#include <algorithm>
#include <chrono>

namespace {

int64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The first bytes of text, at most limit, never half a character.
std::string CutUtf8(std::string text, size_t limit)
{
    if (text.size() <= limit)
        return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text + "…";
}

} // namespace

AlertBatcher::AlertBatcher(Clock clock) : m_clock(clock ? std::move(clock) : Clock(SteadyMilliseconds)) {}

std::string AlertBatcher::BodyText(const std::string &text)
{
    std::string plain = StripCodes(text);
    std::erase_if(plain, [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
    return EscapeAttribute(plain);
}

std::optional<DesktopNote> AlertBatcher::Take(const UserAlert &alert)
{
    const int64_t now = m_clock();
    // Groups past joining are forgotten; their ids still lead to their windows.
    std::erase_if(m_groups,
                  [&](const auto &entry) { return !entry.second.waiting && now - entry.second.last >= kJoinMs; });
    Group &group = m_groups[GroupKey(alert)];
    const bool joins = !group.lines.empty() && (group.waiting || now - group.last < kJoinMs);
    if (!joins) {
        group.lines.clear();
        group.id = 0;
    }
    group.alert = alert;
    group.last = now;
    group.lines.push_back(CutUtf8(StripCodes(alert.text), kMaxLineBytes));
    if (group.lines.size() > kMaxLines)
        group.lines.pop_front();
    if (group.waiting) {
        group.moreWhileWaiting = true;
        return std::nullopt;
    }
    group.waiting = true;
    return NoteOf(group);
}

std::optional<DesktopNote> AlertBatcher::Shown(const UserAlert &alert, uint32_t id)
{
    auto found = m_groups.find(GroupKey(alert));
    if (found == m_groups.end())
        return std::nullopt;
    Group &group = found->second;
    if (id != 0) {
        group.id = id;
        Remember(id, group.alert);
    }
    group.waiting = false;
    if (!group.moreWhileWaiting)
        return std::nullopt;
    group.moreWhileWaiting = false;
    group.waiting = true;
    return NoteOf(group);
}

void AlertBatcher::Closed(uint32_t id)
{
    if (id == 0)
        return;
    for (auto &[key, group] : m_groups) {
        // A line that comes later starts a notification of its own.
        if (group.id == id && !group.waiting) {
            group.id = 0;
            group.lines.clear();
        }
    }
    m_targets.erase(id);
    std::erase(m_targetOrder, id);
}

std::optional<UserAlert> AlertBatcher::Target(uint32_t id) const
{
    auto found = m_targets.find(id);
    if (found == m_targets.end())
        return std::nullopt;
    return found->second;
}

std::string AlertBatcher::GroupKey(const UserAlert &alert)
{
    return alert.sessionKey + '\n' + FoldCase(alert.window) + '\n' + FoldCase(alert.sender);
}

std::string AlertBatcher::Summary(const UserAlert &alert)
{
    const std::string sender = StripCodes(alert.sender);
    if (alert.kind == UserAlert::Kind::Mention)
        return Strings::Format(Str::AlertInWindow, sender.c_str(), StripCodes(alert.window).c_str());
    return sender;
}

DesktopNote AlertBatcher::NoteOf(const Group &group) const
{
    DesktopNote note;
    note.summary = Summary(group.alert);
    for (const std::string &line : group.lines) {
        if (!note.body.empty())
            note.body += '\n';
        note.body += BodyText(line);
    }
    note.replaces = group.id;
    return note;
}

void AlertBatcher::Remember(uint32_t id, const UserAlert &alert)
{
    if (m_targets.insert_or_assign(id, alert).second)
        m_targetOrder.push_back(id);
    while (m_targetOrder.size() > kMaxTargets) {
        m_targets.erase(m_targetOrder.front());
        m_targetOrder.pop_front();
    }
}
