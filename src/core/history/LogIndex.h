#pragma once

#include "history/LogDayFile.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct LogQuery;
struct sqlite3;
struct sqlite3_stmt;

// The full-text index of the logs: an SQLite file beside them (FTS5,
// letters folded to lower case and without diacritics, so "sprava" and
// "Správa" are one word). It holds no text of its own: a line is known by
// its key, the day file's number times 2^32 plus the byte offset where the
// line begins, and read from the log when found. Each day file keeps its
// index position, the offset up to which its lines are in the index; it is
// moved in the same transaction as the lines, so an interrupted run neither
// loses nor doubles a line.
//
// One object is one connection, used by one thread. A file that is not an
// index of this version, or that SQLite finds damaged, is reported
// (IsDamaged); the caller removes it and builds it anew from the logs.
class LogIndex
{
public:
    enum class OpenResult { Opened, Damaged, Failed };
    enum class Mode { Fill, Find };

    // Day files past this size are indexed up to it.
    static constexpr int64_t kMaxOffset = (int64_t(1) << 32) - 1;

    struct FileState
    {
        int64_t id = 0;
        int64_t position = 0; // bytes of the file in the index
    };
    struct Hit
    {
        LogDayFile file;
        int64_t offset = 0; // where the line begins in the file
        int64_t key = 0;
    };

    // Where the index of the logs in folder lives.
    static std::string PathIn(const std::string &folder) { return folder + "/index.sqlite"; }

    LogIndex() = default;
    LogIndex(const LogIndex &) = delete;
    LogIndex &operator=(const LogIndex &) = delete;
    ~LogIndex();

    // Fill makes a missing index (owner-only) with its folders; Find opens
    // only an existing one. check: read the whole file through once (SQLite's
    // quick check) to find damage before it is met.
    OpenResult Open(const std::string &path, Mode mode, bool check);
    bool IsOpen() const { return m_db != nullptr; }
    void Close();
    // Whether a statement since Open found the file damaged or not an index.
    bool IsDamaged() const { return m_damaged; }
    const std::string &LastError() const { return m_error; }
    // Removes an index file with its journal files.
    static void Remove(const std::string &path);

    // ---- filling ----
    // The state of a day file; made (position 0) when missing.
    std::optional<FileState> File(const LogDayFile &file);
    std::vector<std::pair<LogDayFile, FileState>> Files();
    bool Begin();
    bool Commit();
    bool AddLine(int64_t fileId, int64_t offset, std::string_view nick, std::string_view text);
    bool SetPosition(int64_t fileId, int64_t position);
    // A day file whose lines moved (one went in before its end): it gets a
    // new number, above every other, and index position 0. The lines of its
    // old number stay in the index, found by no query (their number names no
    // file), until the index is built anew.
    bool ForgetFile(const LogDayFile &file);

    // ---- finding ----
    // Up to limit lines that match the query's words, phrases and nick
    // (the nick as a word of the line's nick: the caller compares it whole)
    // in the files its network, window and days allow, newest key first,
    // keys below before only (0: from the newest).
    std::vector<Hit> Find(const LogQuery &query, int64_t before, int limit);

private:
    bool Execute(const char *sql);
    bool CreateSchema();
    bool QuickCheck();
    // The first column of the one row the statement answers; none (the error
    // noted) when it fails.
    std::optional<std::string> OneValue(const char *sql);
    // Notes that the file is damaged (what was found); false.
    bool FoundDamage(const char *what);
    bool IsOurSchema();
    bool Prepare(sqlite3_stmt *&statement, const char *sql);
    // Runs a statement that returns no rows; false (the error noted) when it fails.
    bool StepToEnd(sqlite3_stmt *statement);
    // Notes a failed call's error; true when it was damage.
    void NoteError(int code);
    // The condition on keys that keeps the files the query allows; empty for
    // all of them, none when no file is allowed.
    std::optional<std::string> KeyCondition(const LogQuery &query, const std::map<int64_t, LogDayFile> &files) const;
    std::map<int64_t, LogDayFile> FilesById();

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_findFile = nullptr;
    sqlite3_stmt *m_addFile = nullptr;
    sqlite3_stmt *m_addLine = nullptr;
    sqlite3_stmt *m_setPosition = nullptr;
    sqlite3_stmt *m_forgetFile = nullptr;
    bool m_damaged = false;
    std::string m_error;
};
