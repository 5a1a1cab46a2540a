#pragma once

#include "conversation/LineRecorder.h"
#include "history/LogTail.h"
#include "history/LogWriter.h"

#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class SessionTable;

// The logs of the conversations: every line a channel, private or DCC chat
// window prints goes, as a LogLine, to
//   <folder>/<server entry>/<window>/<YYYY-MM-DD>.log
// (the window's name folded as the session folds names, both names made
// safe by SafeFileName; the day in local time, so a new file begins at
// midnight). Lines are kept and written a second after the first of them, on
// a window's closing and at the end. A write that fails is said once in the
// status window of the session whose line it was; logging then pauses for a
// minute and tries again without saying so until a write succeeds.
class ConversationLog final : public LineRecorder
{
public:
    struct Settings
    {
        bool enabled = true;
        std::string folder; // the logs' root folder
    };
    // Seconds since 1970.
    using Clock = std::function<int64_t()>;
    // Told, after each write, of the files lines were appended to.
    using WrittenSink = std::function<void(const std::vector<std::string> &paths)>;
    // Told, after a write, of the files a line dated in the past went into
    // before their end (what followed it moved).
    using RewrittenSink = std::function<void(const std::vector<std::string> &paths)>;
    // The day files whose lines HasLine keeps in memory at once.
    static constexpr size_t kMostKnownFiles = 8;
    // The end of a day file HasLine reads, at most.
    static constexpr int64_t kKnownBytes = 8 << 20;

    explicit ConversationLog(SessionTable &table);
    // Writes what is kept.
    ~ConversationLog();

    // Writes what is kept under the old settings, then takes the new ones
    // and reads again which server entries have logging off.
    void Apply(const Settings &settings);
    const Settings &GetSettings() const { return m_settings; }
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    void SetWrittenSink(WrittenSink sink) { m_written = std::move(sink); }
    void SetRewrittenSink(RewrittenSink sink) { m_rewritten = std::move(sink); }
    // How long a line is kept before it is written (a second; tests that
    // watch another way of writing make it longer).
    void SetFlushDelay(std::chrono::milliseconds delay) { m_flushTimer.setInterval(delay); }

    // A line dated before the lines its day file holds (a bouncer played it
    // back) goes in among them by its time of day.
    void Record(const Conversation &conversation, const std::string &text, int textClass, int64_t time) override;
    void WindowClosed(const Conversation &conversation) override;
    // Whether the day file of time holds the line, written or kept.
    bool HasLine(const Conversation &conversation, const std::string &text, int textClass, int64_t time) override;
    // Writes what is kept now.
    void Flush();

    // The file a line of the conversation at time goes to; empty when the
    // conversation is not logged.
    std::string FileOf(const Conversation &conversation, int64_t time) const;
    // The folder of the conversation's day files; empty when it is not logged.
    std::string FolderOf(const Conversation &conversation) const;
    // The last count lines of the conversation's log, oldest first, what is
    // kept written first (ReadLogTail); none when it is not logged.
    std::vector<LoggedLine> LastLines(const Conversation &conversation, int count);
    bool IsPaused() const { return m_pausedSince != 0; }

private:
    // The file of a window's day, worked out once a day per window: a
    // flood would otherwise pay for the names and the date on every line.
    struct DayFile
    {
        std::string window;  // the conversation's name it was made for
        std::string session; // its session's server entry
        int64_t from = 0;    // the day's local midnight
        int64_t to = 0;      // the next one
        std::string path;
        uint64_t notedAt = 0; // the write whose failure would name its session
        int lastSecond = -1;  // the latest second of the day its lines reach, -1: none
    };

    bool IsLogged(const Conversation &conversation) const;
    // IsLogged without the server entry's setting.
    bool IsWindowLogged(const Conversation &conversation) const;
    // FileOf through the cache; null when the conversation is not logged.
    DayFile *CachedFileOf(const Conversation &conversation, int64_t time);
    void ReportFailure(const LogWriter::Failure &failure);
    // The second of the day of the file's last line, kept lines included; -1 when none.
    int LastSecondOf(const std::string &path) const;
    // The lines of a day file (each without its line break), read once and
    // followed by Record.
    const std::unordered_set<std::string> &KnownLines(const std::string &path);
    void NoteKnownLine(const std::string &path, std::string_view line);
    bool StaysPaused(int64_t now);

    SessionTable &m_table;
    Settings m_settings;
    Clock m_clock;
    WrittenSink m_written;
    RewrittenSink m_rewritten;
    std::map<std::string, std::unordered_set<std::string>> m_knownLines; // path -> its lines
    std::vector<std::string> m_knownOrder;                               // paths, oldest read first
    bool m_knownAsked = false;                                           // HasLine was asked since the last write
    LogWriter m_writer;
    QTimer m_flushTimer;
    std::set<std::string> m_entriesOff;                 // server entries with logging off, folded
    std::map<std::string, std::string> m_sessionOfFile; // path -> session key, for the failure
    std::unordered_map<const Conversation *, DayFile> m_dayFiles;
    uint64_t m_writes = 1; // counts the writes (Flush)
    int64_t m_pausedSince = 0;
    bool m_failureSaid = false;
};
