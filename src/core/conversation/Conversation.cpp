#include "conversation/Conversation.h"

#include <ctime>

#include "conversation/ConversationView.h"
#include "conversation/LineRecorder.h"
#include "conversation/NickList.h"
#include "text/IrcCodes.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"

Conversation::Conversation(ConversationOwner *owner, const std::string &name, WindowKind kind, WindowType type)
    : m_owner(owner), m_name(name), m_kind(kind), m_type(type), m_title(name), m_nicks(std::make_unique<NickList>())
{}

Conversation::~Conversation()
{
    for (const auto &script : m_scriptObjects)
        script.second->DetachOwner();
    if (ConversationView *view = m_view) {
        m_view = nullptr;
        view->Close();
    }
}

void Conversation::Rename(const std::string &name)
{
    m_name = name;
    SetTitle(name);
}

std::string Conversation::SessionKey() const
{
    return m_owner ? m_owner->Key() : std::string();
}

void Conversation::SetTitle(const std::string &title)
{
    m_title = title;
    if (m_view)
        m_view->SetTitle(title);
}

void Conversation::DetachView(ConversationView *view)
{
    if (m_view == view)
        m_view = nullptr;
}

namespace {

// The local day of a time as yyyymmdd, with its parts.
int LocalDay(int64_t time, std::tm &local)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    localtime_r(&seconds, &local);
    return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

} // namespace

bool Conversation::Print(const std::string &text, int textClass, int64_t time)
{
    if (text.empty() || !m_view)
        return false;
    // A line the server dated (server-time, a bouncer's history) keeps its time.
    if (time == 0 && m_owner)
        time = m_owner->LineTime();
    const int64_t when = time != 0 ? time : static_cast<int64_t>(std::time(nullptr));
    const bool playedBack = m_owner && m_owner->IsPlayedBack();
    const std::string id = m_owner ? m_owner->LineId() : std::string();
    if (playedBack && IsShownOrRecorded(text, textClass, when, id))
        return false;
    m_seen.Note(when, textClass, text, id);
    if (LineRecorder *recorder = m_owner ? m_owner->Recorder() : nullptr)
        recorder->Record(*this, text, textClass, time);
    if (!playedBack)
        return m_view->ShowLine(text, textClass, time);
    ShowPlaybackNotes(when);
    return m_view->ShowPlayedBackLine(text, textClass, when);
}

bool Conversation::IsShownOrRecorded(const std::string &text, int textClass, int64_t time, const std::string &id) const
{
    if (m_seen.Has(time, textClass, text, id))
        return true;
    LineRecorder *recorder = m_owner ? m_owner->Recorder() : nullptr;
    return recorder && recorder->HasLine(*this, text, textClass, time);
}

void Conversation::ShowPlaybackNotes(int64_t time)
{
    std::tm local{};
    if (!m_playback.separatorShown) {
        m_playback.separatorShown = true;
        m_playback.dayShown = LocalDay(std::time(nullptr), local); // today needs no date line
        m_view->ShowNote(Strings::Get(Str::PlaybackSeparator));
    }
    const int day = LocalDay(time, local);
    if (day == m_playback.dayShown)
        return;
    m_playback.dayShown = day;
    m_view->ShowNote(Strings::Format(Str::PlaybackDay, local.tm_mday, local.tm_mon + 1, local.tm_year + 1900));
}

int Conversation::RunCommand(const std::string &line)
{
    if (!m_owner)
        return 0;
    return m_owner->Command(m_name, 0, line);
}

void Conversation::SetTopic(const std::string &text)
{
    m_channel.SetTopic(StripCodes(text));
    const std::string &topic = m_channel.Topic();
    if (m_view)
        m_view->TopicChanged(topic);
    SetTitle(topic.empty() ? m_name : m_name + " " + topic);
}

void Conversation::ApplyModes(const std::string &modes, const std::string &parameters, const std::string &line,
                              const ModeRules &rules)
{
    m_channel.ApplyModes(modes, parameters, line, static_cast<int64_t>(std::time(nullptr)), rules);
    if (m_view)
        m_view->ChannelStateChanged();
}

void Conversation::RefreshChannel()
{
    if (!IsChannel())
        return;
    m_channel.ClearBans();
    if (m_view)
        m_view->ChannelStateChanged();
    RunCommand(StrPrintf("/servermsg MODE %s", m_name.c_str()));
    RunCommand(StrPrintf("/servermsg MODE %s b", m_name.c_str()));
}

void Conversation::NickListChanged()
{
    if (m_view)
        m_view->NickListChanged();
}

std::string Conversation::CurrentUser() const
{
    if (m_type == TypePrivate)
        return m_name;
    return m_nicks->SelectedNick();
}
