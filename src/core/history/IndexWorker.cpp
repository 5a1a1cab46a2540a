#include "history/IndexWorker.h"

#include "history/LogLine.h"

#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kReadSize = 1 << 20;

// The size of the file, -1 when it cannot be read.
int64_t FileSize(const std::string &path)
{
    struct stat status
    {};
    return ::stat(path.c_str(), &status) == 0 ? int64_t(status.st_size) : -1;
}

} // namespace

IndexWorker::IndexWorker(std::string folder, IndexShared &shared, ProgressSink progress)
    : m_folder(std::move(folder)), m_path(LogIndex::PathIn(m_folder)), m_shared(shared), m_progress(std::move(progress))
{}

void IndexWorker::Report(IndexProgress progress)
{
    if (m_progress)
        m_progress(progress);
}

bool IndexWorker::Open(bool check)
{
    const LogIndex::OpenResult result = m_index.Open(m_path, LogIndex::Mode::Fill, check);
    if (result == LogIndex::OpenResult::Opened)
        return true;
    if (result == LogIndex::OpenResult::Damaged && !m_rebuilding)
        Rebuild();
    else
        Report({0, 0, m_index.LastError()});
    return false;
}

void IndexWorker::Start()
{
    if (Open(true))
        Settle(CatchUp());
}

void IndexWorker::Rebuild()
{
    m_rebuilding = true;
    m_shared.rebuildAsked = false;
    m_index.Close();
    m_inTransaction = false;
    m_linesInBatch = 0;
    LogIndex::Remove(m_path);
    ++m_shared.generation;
    if (Open(false))
        Settle(CatchUp());
    m_rebuilding = false;
}

// A damaged index is built anew, once: damaged again while being built, it
// is reported as an error like any other failure.
void IndexWorker::Settle(Outcome outcome)
{
    if (outcome == Outcome::Damaged && !m_rebuilding) {
        Rebuild();
        return;
    }
    if (outcome == Outcome::Stopped && m_inTransaction) {
        // Every file whose lines are in the transaction has its position in it too.
        m_inTransaction = false;
        m_index.Commit();
    }
    if (outcome == Outcome::Damaged || outcome == Outcome::Failed) {
        const std::string error = m_index.LastError();
        m_index.Close();
        m_inTransaction = false;
        m_linesInBatch = 0;
        Report({0, 0, error});
    }
}

void IndexWorker::IndexFiles(const std::vector<std::string> &paths)
{
    if (!m_index.IsOpen() && !Open(false))
        return;
    const std::set<std::string> unique(paths.begin(), paths.end());
    Outcome outcome = Outcome::Done;
    for (const std::string &path : unique) {
        const std::optional<LogDayFile> file = LogDayFile::OfPath(m_folder, path);
        if (file && (outcome = IndexFile(*file, nullptr)) != Outcome::Done)
            break;
    }
    if (outcome == Outcome::Done && m_inTransaction) {
        m_inTransaction = false;
        m_linesInBatch = 0;
        if (!m_index.Commit())
            outcome = m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
    }
    Settle(outcome);
}

void IndexWorker::IndexFilesAnew(const std::vector<std::string> &paths)
{
    if (!m_index.IsOpen() && !Open(false))
        return;
    for (const std::string &path : paths) {
        const std::optional<LogDayFile> file = LogDayFile::OfPath(m_folder, path);
        if (file && !m_index.ForgetFile(*file)) {
            Settle(m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed);
            return;
        }
    }
    IndexFiles(paths);
}

IndexWorker::Outcome IndexWorker::CatchUp()
{
    const std::vector<LogDayFile> files = LogDayFile::ListIn(m_folder);
    std::map<std::string, int64_t> positions;
    for (const auto &[file, state] : m_index.Files())
        positions[file.PathIn(m_folder)] = state.position;
    if (m_index.IsDamaged())
        return Outcome::Damaged;
    IndexProgress progress;
    for (const LogDayFile &file : files) {
        const std::string path = file.PathIn(m_folder);
        progress.total += std::max<int64_t>(0, FileSize(path) - positions[path]);
    }
    Report(progress);
    for (const LogDayFile &file : files) {
        const Outcome outcome = IndexFile(file, &progress);
        if (outcome != Outcome::Done)
            return outcome;
    }
    if (m_inTransaction) {
        m_inTransaction = false;
        m_linesInBatch = 0;
        if (!m_index.Commit())
            return m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
    }
    progress.done = progress.total;
    Report(progress);
    return Outcome::Done;
}

IndexWorker::Outcome IndexWorker::IndexFile(const LogDayFile &file, IndexProgress *progress)
{
    if (m_shared.stopping)
        return Outcome::Stopped;
    const std::string path = file.PathIn(m_folder);
    const int64_t size = FileSize(path);
    if (size < 0)
        return Outcome::Done; // gone since it was written or listed
    if (!m_inTransaction) {
        if (!m_index.Begin())
            return m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
        m_inTransaction = true;
    }
    const std::optional<LogIndex::FileState> state = m_index.File(file);
    if (!state)
        return m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
    // Logs only grow: a shorter one was written anew, and what the index
    // knows of it is no longer there.
    if (size < state->position)
        return Outcome::Damaged;
    if (size == state->position)
        return Outcome::Done;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Outcome::Done;
    int64_t position = state->position;
    const Outcome outcome = IndexLines(state->id, fd, position, progress);
    ::close(fd);
    if (outcome != Outcome::Done)
        return outcome;
    if (position != state->position && !m_index.SetPosition(state->id, position))
        return m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
    return Outcome::Done;
}

// Every whole line from position on; position follows the lines indexed. A
// line still being written (no line break yet) waits for the next time.
IndexWorker::Outcome IndexWorker::IndexLines(int64_t fileId, int fd, int64_t &position, IndexProgress *progress)
{
    std::string buffer;
    int64_t bufferStart = position; // file offset of buffer[0]
    std::string chunk(kReadSize, '\0');
    for (;;) {
        const ssize_t got = ::pread(fd, chunk.data(), chunk.size(), bufferStart + int64_t(buffer.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return Outcome::Done;
        buffer.append(chunk.data(), static_cast<size_t>(got));
        size_t start = 0;
        for (size_t end; (end = buffer.find('\n', start)) != std::string::npos; start = end + 1) {
            const int64_t offset = bufferStart + int64_t(start);
            if (offset + int64_t(end - start) >= LogIndex::kMaxOffset)
                return Outcome::Done;
            if (const Outcome outcome = AddLine(fileId, offset, std::string_view(buffer).substr(start, end - start));
                outcome != Outcome::Done)
                return outcome;
            position = offset + int64_t(end - start) + 1;
            if (progress)
                progress->done += int64_t(end - start) + 1;
            if (++m_linesInBatch >= m_batchLines)
                if (const Outcome outcome = EndBatch(fileId, position, progress); outcome != Outcome::Done)
                    return outcome;
        }
        buffer.erase(0, start);
        bufferStart += int64_t(start);
    }
}

IndexWorker::Outcome IndexWorker::AddLine(int64_t fileId, int64_t offset, std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::optional<LogEntry> entry = ParseLogLine(line);
    // A line the program did not write is found by all its words.
    const bool added = entry ? m_index.AddLine(fileId, offset, entry->nick, entry->text)
                             : m_index.AddLine(fileId, offset, std::string_view(), line);
    if (added)
        return Outcome::Done;
    return m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
}

IndexWorker::Outcome IndexWorker::EndBatch(int64_t fileId, int64_t position, IndexProgress *progress)
{
    m_linesInBatch = 0;
    m_inTransaction = false;
    if (!m_index.SetPosition(fileId, position) || !m_index.Commit())
        return m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
    if (progress)
        Report(*progress);
    if (m_shared.stopping)
        return Outcome::Stopped;
    if (!m_index.Begin())
        return m_index.IsDamaged() ? Outcome::Damaged : Outcome::Failed;
    m_inTransaction = true;
    return Outcome::Done;
}
