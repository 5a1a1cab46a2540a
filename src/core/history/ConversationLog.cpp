#include "history/ConversationLog.h"

#include "config/FavouriteServers.h"
#include "conversation/Conversation.h"
#include "history/LogFileName.h"
#include "history/LogLine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/Strings.h"

#include <cstring>
#include <ctime>
#include <tuple>

namespace {

constexpr int kFlushDelayMs = 1000;
constexpr int64_t kPauseSeconds = 60;

// The local midnights that begin the day of time and the day after it.
std::pair<int64_t, int64_t> LocalDayAround(int64_t time)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm day{};
    localtime_r(&seconds, &day);
    day.tm_hour = day.tm_min = day.tm_sec = 0;
    day.tm_isdst = -1;
    std::tm next = day;
    ++next.tm_mday;
    return {static_cast<int64_t>(std::mktime(&day)), static_cast<int64_t>(std::mktime(&next))};
}

std::string DayFileName(int64_t time)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char name[32];
    std::strftime(name, sizeof name, "%Y-%m-%d.log", &local);
    return name;
}

} // namespace

ConversationLog::ConversationLog(SessionTable &table)
    : m_table(table), m_clock([] { return static_cast<int64_t>(std::time(nullptr)); })
{
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kFlushDelayMs);
    QObject::connect(&m_flushTimer, &QTimer::timeout, [this] { Flush(); });
}

ConversationLog::~ConversationLog()
{
    Flush();
}

void ConversationLog::Apply(const Settings &settings)
{
    Flush();
    m_dayFiles.clear();
    m_settings = settings;
    m_entriesOff.clear();
    for (const std::string &entry : ServerEntriesWithLoggingOff())
        m_entriesOff.insert(FoldCase(entry));
    m_pausedSince = 0;
    m_failureSaid = false;
}

bool ConversationLog::IsWindowLogged(const Conversation &conversation) const
{
    return m_settings.enabled && !m_settings.folder.empty() && conversation.IsTalk()
        && conversation.GetToggles().logging && Session::Of(conversation);
}

bool ConversationLog::IsLogged(const Conversation &conversation) const
{
    return IsWindowLogged(conversation) && !m_entriesOff.count(FoldCase(Session::Of(conversation)->ConfName()));
}

std::string ConversationLog::FolderOf(const Conversation &conversation) const
{
    if (!IsLogged(conversation))
        return std::string();
    const Session *session = Session::Of(conversation);
    return m_settings.folder + "/" + SafeFileName(session->ConfName()) + "/"
        + SafeFileName(FoldCase(conversation.Name()));
}

std::string ConversationLog::FileOf(const Conversation &conversation, int64_t time) const
{
    const std::string folder = FolderOf(conversation);
    return folder.empty() ? folder : folder + "/" + DayFileName(time);
}

std::vector<LoggedLine> ConversationLog::LastLines(const Conversation &conversation, int count)
{
    const std::string folder = FolderOf(conversation);
    if (folder.empty() || count <= 0)
        return {};
    // Another session on the same server entry may still keep lines of this window.
    Flush();
    return ReadLogTail(folder, count);
}

ConversationLog::DayFile *ConversationLog::CachedFileOf(const Conversation &conversation, int64_t time)
{
    // The server entry's logging is part of what is cached: it changes only through Apply.
    if (!IsWindowLogged(conversation))
        return nullptr;
    const Session *session = Session::Of(conversation);
    DayFile &cached = m_dayFiles[&conversation];
    if (time < cached.from || time >= cached.to || cached.window != conversation.Name()
        || cached.session != session->ConfName()) {
        std::tie(cached.from, cached.to) = LocalDayAround(time);
        cached.window = conversation.Name();
        cached.session = session->ConfName();
        cached.path = FileOf(conversation, time);
        cached.notedAt = 0;
    }
    return cached.path.empty() ? nullptr : &cached;
}

void ConversationLog::Record(const Conversation &conversation, const std::string &text, int textClass, int64_t time)
{
    const int64_t now = m_clock();
    if (time == 0)
        time = now;
    if (StaysPaused(now))
        return;
    DayFile *day = CachedFileOf(conversation, time);
    if (!day)
        return;
    const std::optional<LogEntry> entry = EntryOfPrintedLine(text, textClass);
    if (!entry)
        return;
    // A day of 24 hours (no clock change in it) gives the time of day without asking the time zone.
    constexpr int64_t kPlainDay = 86400;
    std::string &lines = m_writer.LinesFor(day->path);
    if (day->to - day->from == kPlainDay)
        AppendLogLine(lines, *entry, int(time - day->from));
    else
        lines += FormatLogLine(*entry, time);
    lines += '\n';
    if (day->notedAt != m_writes) {
        day->notedAt = m_writes;
        m_sessionOfFile[day->path] = conversation.SessionKey();
    }
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void ConversationLog::WindowClosed(const Conversation &conversation)
{
    Flush();
    m_dayFiles.erase(&conversation);
}

bool ConversationLog::StaysPaused(int64_t now)
{
    if (m_pausedSince == 0)
        return false;
    if (now - m_pausedSince < kPauseSeconds)
        return true;
    m_pausedSince = 0; // try again; a failure is not said a second time
    return false;
}

void ConversationLog::Flush()
{
    m_flushTimer.stop();
    if (!m_writer.HasPending())
        return;
    const std::optional<LogWriter::Failure> failure = m_writer.Flush();
    if (failure) {
        ReportFailure(*failure);
        m_pausedSince = m_clock();
    } else {
        m_failureSaid = false;
    }
    if (m_written) {
        // After a failure too: the files before the one that failed were written.
        std::vector<std::string> paths;
        paths.reserve(m_sessionOfFile.size());
        for (const auto &[path, session] : m_sessionOfFile)
            paths.push_back(path);
        m_written(paths);
    }
    m_sessionOfFile.clear();
    ++m_writes;
}

void ConversationLog::ReportFailure(const LogWriter::Failure &failure)
{
    if (m_failureSaid)
        return;
    m_failureSaid = true;
    auto owner = m_sessionOfFile.find(failure.path);
    Session *session = owner == m_sessionOfFile.end() ? nullptr : m_table.FindSession(owner->second);
    if (Conversation *status = session ? session->ServerWindow() : nullptr)
        status->Print(Strings::Format(Str::LogWriteFailed, failure.path.c_str(), std::strerror(failure.error)),
                      TextClass::Error);
}
