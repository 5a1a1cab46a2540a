#include "history/ConversationLog.h"

#include "config/FavouriteServers.h"
#include "conversation/Conversation.h"
#include "history/LogFileName.h"
#include "history/LogLine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/Strings.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <tuple>
#include <utility>

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

// The second of the day of time, in local time.
int LocalSecondOfDay(int64_t time)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

// The last line of a text whose lines end in "\n" (or of its last part without one).
std::string_view LastLineOf(std::string_view text)
{
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    const size_t newline = text.rfind('\n');
    return newline == std::string_view::npos ? text : text.substr(newline + 1);
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
    m_knownLines.clear();
    m_knownOrder.clear();
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
        cached.lastSecond = cached.path.empty() ? -1 : LastSecondOf(cached.path);
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
    const bool plainDay = day->to - day->from == kPlainDay;
    const int second = plainDay ? int(time - day->from) : LocalSecondOfDay(time);
    if (second < day->lastSecond) {
        std::string line = FormatLogLine(*entry, time);
        NoteKnownLine(day->path, line);
        m_writer.AddLateLine(day->path, line + '\n');
    } else {
        day->lastSecond = second;
        std::string &lines = m_writer.LinesFor(day->path);
        const size_t begin = lines.size();
        if (plainDay)
            AppendLogLine(lines, *entry, second);
        else
            lines += FormatLogLine(*entry, time);
        NoteKnownLine(day->path, std::string_view(lines).substr(begin));
        lines += '\n';
    }
    if (day->notedAt != m_writes) {
        day->notedAt = m_writes;
        m_sessionOfFile[day->path] = conversation.SessionKey();
    }
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

bool ConversationLog::HasLine(const Conversation &conversation, const std::string &text, int textClass, int64_t time)
{
    if (time <= 0)
        return false;
    m_knownAsked = true;
    const std::string path = FileOf(conversation, time);
    const std::optional<LogEntry> entry = path.empty() ? std::nullopt : EntryOfPrintedLine(text, textClass);
    return entry && KnownLines(path).count(FormatLogLine(*entry, time)) > 0;
}

int ConversationLog::LastSecondOf(const std::string &path) const
{
    if (const std::string *kept = m_writer.PendingFor(path); kept && !kept->empty())
        return SecondOfLogLine(LastLineOf(*kept));
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    file.seek(std::max<qint64>(0, file.size() - kTailBytesPerLine));
    const QByteArray end = file.readAll();
    return SecondOfLogLine(LastLineOf(std::string_view(end.constData(), size_t(end.size()))));
}

const std::unordered_set<std::string> &ConversationLog::KnownLines(const std::string &path)
{
    if (const auto known = m_knownLines.find(path); known != m_knownLines.end())
        return known->second;
    Flush(); // what is kept is read with the file
    if (m_knownOrder.size() >= kMostKnownFiles) {
        m_knownLines.erase(m_knownOrder.front());
        m_knownOrder.erase(m_knownOrder.begin());
    }
    std::unordered_set<std::string> &lines = m_knownLines[path];
    m_knownOrder.push_back(path);
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const bool cut = file.size() > kKnownBytes;
    file.seek(std::max<qint64>(0, file.size() - kKnownBytes));
    const QByteArray bytes = file.readAll();
    std::string_view rest(bytes.constData(), size_t(bytes.size()));
    if (cut) // the first line read is a part of one
        rest.remove_prefix(std::min(rest.size(), rest.find('\n') + 1));
    while (!rest.empty()) {
        const size_t newline = rest.find('\n');
        lines.emplace(rest.substr(0, newline));
        rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
    }
    return lines;
}

void ConversationLog::NoteKnownLine(const std::string &path, std::string_view line)
{
    if (m_knownLines.empty())
        return;
    if (const auto known = m_knownLines.find(path); known != m_knownLines.end())
        known->second.emplace(line);
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
    // The lines HasLine read are dropped once a write passes without it being asked (a playback has ended).
    if (!std::exchange(m_knownAsked, false)) {
        m_knownLines.clear();
        m_knownOrder.clear();
    }
    if (!m_writer.HasPending())
        return;
    const std::optional<LogWriter::Failure> failure = m_writer.Flush();
    if (m_rewritten && !m_writer.Rewritten().empty())
        m_rewritten(m_writer.Rewritten());
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
