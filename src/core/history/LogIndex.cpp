#include "history/LogIndex.h"

#include "history/LogQuery.h"
#include "history/LogWriter.h"
#include "text/CaseFold.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Raised whenever the tables change: an index of another version is built anew.
constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 5000;

// The lines hold no text (content=''): the logs keep it. No column sizes
// either, the lines are never ranked.
constexpr const char *kSchema =
    "CREATE TABLE file(id INTEGER PRIMARY KEY, network TEXT NOT NULL, window TEXT NOT NULL, day TEXT NOT NULL,"
    " position INTEGER NOT NULL DEFAULT 0, UNIQUE(network, window, day));"
    "CREATE VIRTUAL TABLE line USING fts5(nick, text, content='', columnsize=0,"
    " tokenize='unicode61 remove_diacritics 2');";

bool IsDamageCode(int code)
{
    const int primary = code & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// An index file made owner-only before SQLite makes it (its journal files
// take the same permissions).
bool MakeOwnerOnlyFile(const std::string &path)
{
    if (MakeFoldersOf(path) != 0)
        return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

class Statement
{
public:
    explicit Statement(sqlite3_stmt *statement) : m_statement(statement) {}
    ~Statement() { sqlite3_reset(m_statement); }
    sqlite3_stmt *operator*() const { return m_statement; }

private:
    sqlite3_stmt *m_statement;
};

std::string Column(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column))) : std::string();
}

void BindDayFile(sqlite3_stmt *statement, const LogDayFile &file)
{
    sqlite3_bind_text(statement, 1, file.network.data(), int(file.network.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, 2, file.window.data(), int(file.window.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, 3, file.day.data(), int(file.day.size()), SQLITE_STATIC);
}

bool Matches(const std::string &wanted, const std::string &name)
{
    return wanted.empty() || FoldCase(wanted) == FoldCase(name);
}

} // namespace

LogIndex::~LogIndex()
{
    Close();
}

LogIndex::OpenResult LogIndex::Open(const std::string &path, Mode mode, bool check)
{
    Close();
    m_damaged = false;
    m_error.clear();
    if (mode == Mode::Fill && !MakeOwnerOnlyFile(path)) {
        m_error = path;
        return OpenResult::Failed;
    }
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    const int opened = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (opened != SQLITE_OK) {
        NoteError(opened);
        Close();
        return OpenResult::Failed;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // A rebuild's large transactions grow the journal; it shrinks back after them.
    if (!Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA journal_size_limit=4194304;")
        || !IsOurSchema() || (check && !QuickCheck())) {
        Close();
        return m_damaged ? OpenResult::Damaged : OpenResult::Failed;
    }
    return OpenResult::Opened;
}

void LogIndex::Close()
{
    for (sqlite3_stmt **statement : {&m_findFile, &m_addFile, &m_addLine, &m_setPosition, &m_forgetFile}) {
        sqlite3_finalize(*statement);
        *statement = nullptr;
    }
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void LogIndex::Remove(const std::string &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        ::unlink((path + suffix).c_str());
}

void LogIndex::NoteError(int code)
{
    m_error = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
    if (IsDamageCode(code))
        m_damaged = true;
}

bool LogIndex::Execute(const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    for (const char *rest = sql; rest && *rest;) {
        int code = sqlite3_prepare_v2(m_db, rest, -1, &statement, &rest);
        if (code != SQLITE_OK) {
            NoteError(code);
            return false;
        }
        if (!statement)
            break;
        while ((code = sqlite3_step(statement)) == SQLITE_ROW) {}
        sqlite3_finalize(statement);
        if (code != SQLITE_DONE) {
            NoteError(code);
            return false;
        }
    }
    return true;
}

std::optional<std::string> LogIndex::OneValue(const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (!Prepare(statement, sql))
        return std::nullopt;
    const int code = sqlite3_step(statement);
    std::optional<std::string> value;
    if (code == SQLITE_ROW)
        value = Column(statement, 0);
    sqlite3_finalize(statement);
    if (code != SQLITE_ROW)
        NoteError(code);
    return value;
}

bool LogIndex::FoundDamage(const char *what)
{
    m_error = what;
    m_damaged = true;
    return false;
}

bool LogIndex::QuickCheck()
{
    // "ok" in one row, or a row for each thing found damaged.
    const std::optional<std::string> answer = OneValue("PRAGMA quick_check");
    if (!answer)
        return false;
    return *answer == "ok" || FoundDamage(answer->c_str());
}

bool LogIndex::IsOurSchema()
{
    const std::optional<std::string> version = OneValue("PRAGMA user_version");
    if (!version)
        return false;
    if (*version == "0")
        return CreateSchema();
    return *version == std::to_string(kSchemaVersion) || FoundDamage("user_version");
}

bool LogIndex::CreateSchema()
{
    // An empty file, or one that SQLite reads but did not come from us.
    const std::optional<std::string> tables = OneValue("SELECT count(*) FROM sqlite_master");
    if (!tables)
        return false;
    if (*tables != "0")
        return FoundDamage("schema");
    return Execute("BEGIN") && Execute(kSchema)
        && Execute(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str()) && Execute("COMMIT");
}

bool LogIndex::Prepare(sqlite3_stmt *&statement, const char *sql)
{
    if (statement)
        return true;
    const int code = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (code != SQLITE_OK) {
        NoteError(code);
        statement = nullptr;
        return false;
    }
    return true;
}

std::optional<LogIndex::FileState> LogIndex::File(const LogDayFile &file)
{
    if (!Prepare(m_findFile, "SELECT id, position FROM file WHERE network=?1 AND window=?2 AND day=?3")
        || !Prepare(m_addFile, "INSERT INTO file(network, window, day) VALUES(?1, ?2, ?3)"))
        return std::nullopt;
    {
        Statement find(m_findFile);
        BindDayFile(*find, file);
        const int code = sqlite3_step(*find);
        if (code == SQLITE_ROW)
            return FileState{sqlite3_column_int64(*find, 0), sqlite3_column_int64(*find, 1)};
        if (code != SQLITE_DONE) {
            NoteError(code);
            return std::nullopt;
        }
    }
    Statement add(m_addFile);
    BindDayFile(*add, file);
    if (!StepToEnd(*add))
        return std::nullopt;
    return FileState{sqlite3_last_insert_rowid(m_db), 0};
}

std::vector<std::pair<LogDayFile, LogIndex::FileState>> LogIndex::Files()
{
    std::vector<std::pair<LogDayFile, FileState>> files;
    sqlite3_stmt *statement = nullptr;
    if (!Prepare(statement, "SELECT network, window, day, id, position FROM file"))
        return files;
    int code;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW)
        files.push_back({{Column(statement, 0), Column(statement, 1), Column(statement, 2)},
                         {sqlite3_column_int64(statement, 3), sqlite3_column_int64(statement, 4)}});
    if (code != SQLITE_DONE)
        NoteError(code);
    sqlite3_finalize(statement);
    return files;
}

std::map<int64_t, LogDayFile> LogIndex::FilesById()
{
    std::map<int64_t, LogDayFile> files;
    for (auto &[file, state] : Files())
        files.emplace(state.id, std::move(file));
    return files;
}

bool LogIndex::StepToEnd(sqlite3_stmt *statement)
{
    const int code = sqlite3_step(statement);
    if (code != SQLITE_DONE)
        NoteError(code);
    return code == SQLITE_DONE;
}

bool LogIndex::Begin()
{
    return Execute("BEGIN");
}

bool LogIndex::Commit()
{
    return Execute("COMMIT");
}

bool LogIndex::AddLine(int64_t fileId, int64_t offset, std::string_view nick, std::string_view text)
{
    if (!Prepare(m_addLine, "INSERT INTO line(rowid, nick, text) VALUES(?1, ?2, ?3)"))
        return false;
    Statement add(m_addLine);
    sqlite3_bind_int64(*add, 1, (fileId << 32) | offset);
    sqlite3_bind_text(*add, 2, nick.data(), int(nick.size()), SQLITE_STATIC);
    sqlite3_bind_text(*add, 3, text.data(), int(text.size()), SQLITE_STATIC);
    return StepToEnd(*add);
}

bool LogIndex::SetPosition(int64_t fileId, int64_t position)
{
    if (!Prepare(m_setPosition, "UPDATE file SET position=?2 WHERE id=?1"))
        return false;
    Statement set(m_setPosition);
    sqlite3_bind_int64(*set, 1, fileId);
    sqlite3_bind_int64(*set, 2, position);
    return StepToEnd(*set);
}

bool LogIndex::ForgetFile(const LogDayFile &file)
{
    // A new number is the highest one plus one, as SQLite gives a new row: no
    // later file can get a number some lines of the index still carry.
    if (!Prepare(m_forgetFile,
                 "UPDATE file SET id=(SELECT max(id) + 1 FROM file), position=0"
                 " WHERE network=?1 AND window=?2 AND day=?3"))
        return false;
    Statement forget(m_forgetFile);
    BindDayFile(*forget, file);
    return StepToEnd(*forget);
}

std::optional<std::string> LogIndex::KeyCondition(const LogQuery &query,
                                                  const std::map<int64_t, LogDayFile> &files) const
{
    std::string ids;
    int64_t first = -1;
    int64_t last = -1;
    size_t allowed = 0;
    for (const auto &[id, file] : files) {
        if (!Matches(query.network, file.NetworkName()) || !Matches(query.window, file.WindowName())
            || (!query.from.empty() && file.day < query.from) || (!query.to.empty() && file.day > query.to))
            continue;
        if (!ids.empty())
            ids += ',';
        ids += std::to_string(id);
        first = first < 0 ? id : first;
        last = id;
        ++allowed;
    }
    if (allowed == 0)
        return std::nullopt;
    // Numbers run from 1 without a gap unless a file was forgotten: then the
    // lines of its old number must be kept out.
    const bool forgotten = !files.empty() && files.rbegin()->first != int64_t(files.size());
    if (allowed == files.size() && !forgotten)
        return std::string();
    // The range lets the index skip what lies outside; the list keeps the files between.
    return " AND rowid BETWEEN " + std::to_string(first << 32) + " AND " + std::to_string((last << 32) | kMaxOffset)
        + " AND (rowid >> 32) IN (" + ids + ")";
}

std::vector<LogIndex::Hit> LogIndex::Find(const LogQuery &query, int64_t before, int limit)
{
    std::vector<Hit> hits;
    const std::map<int64_t, LogDayFile> files = FilesById();
    const std::optional<std::string> condition = KeyCondition(query, files);
    const std::string expression = FullTextExpression(query);
    if (!condition || expression.empty())
        return hits;
    const std::string sql = "SELECT rowid FROM line WHERE line MATCH ?1" + *condition
        + (before > 0 ? " AND rowid < ?2" : "") + " ORDER BY rowid DESC LIMIT " + std::to_string(limit);
    sqlite3_stmt *statement = nullptr;
    if (!Prepare(statement, sql.c_str()))
        return hits;
    sqlite3_bind_text(statement, 1, expression.data(), int(expression.size()), SQLITE_STATIC);
    if (before > 0)
        sqlite3_bind_int64(statement, 2, before);
    int code;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        const int64_t key = sqlite3_column_int64(statement, 0);
        const auto file = files.find(key >> 32);
        if (file != files.end())
            hits.push_back({file->second, key & kMaxOffset, key});
    }
    if (code != SQLITE_DONE)
        NoteError(code);
    sqlite3_finalize(statement);
    return hits;
}
