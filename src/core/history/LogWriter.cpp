#include "history/LogWriter.h"

#include "history/LogLine.h"

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether the file ends inside a line (a write cut short by a full disk):
// the next line must begin on a line of its own.
bool EndsInsideALine(int fd)
{
    const off_t size = ::lseek(fd, 0, SEEK_END);
    char last = '\n';
    return size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n';
}

// Writes all the bytes at offset (at the end for a file opened to append:
// offset -1); 0 or errno.
int WriteAll(int fd, const std::string &bytes, int64_t offset)
{
    for (size_t done = 0; done < bytes.size();) {
        const size_t left = bytes.size() - done;
        const ssize_t written = offset < 0 ? ::write(fd, bytes.data() + done, left)
                                           : ::pwrite(fd, bytes.data() + done, left, offset + int64_t(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        done += static_cast<size_t>(written);
    }
    return 0;
}

// Appends the bytes to the file; 0 or errno.
int AppendToFile(const std::string &path, std::string bytes)
{
    if (const int error = MakeFoldersOf(path))
        return error;
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    if (EndsInsideALine(fd))
        bytes.insert(bytes.begin(), '\n');
    int error = WriteAll(fd, bytes, -1);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

constexpr int64_t kBackwardChunk = 65536;

// Reads the bytes [from, to) of the file; false when it cannot.
bool ReadRange(int fd, int64_t from, int64_t to, std::string &bytes)
{
    bytes.resize(static_cast<size_t>(to - from));
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, from + int64_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

// Where the lines at the end of the file that are later than second begin:
// after the last line that is not later (or has no time), else at 0. tail
// gets the bytes from there to the end.
bool FindLaterLines(int fd, int64_t size, int second, int64_t &start, std::string &tail)
{
    std::string buffer; // the bytes [from, size)
    int64_t from = size;
    // Reads backwards until the buffer holds the byte at offset.
    const auto reach = [&](int64_t offset) {
        while (from > offset) {
            const int64_t before = std::max<int64_t>(0, std::min(offset, from - kBackwardChunk));
            std::string chunk;
            if (!ReadRange(fd, before, from, chunk))
                return false;
            buffer.insert(0, chunk);
            from = before;
        }
        return true;
    };
    start = size;
    while (start > 0) {
        if (!reach(start - 1))
            return false;
        // The line before start, without its line break (a last line may have none).
        const int64_t end = buffer[size_t(start - 1 - from)] == '\n' ? start - 1 : start;
        int64_t begin = end;
        while (begin > 0) {
            if (!reach(begin - 1))
                return false;
            if (buffer[size_t(begin - 1 - from)] == '\n')
                break;
            --begin;
        }
        const int lineSecond =
            SecondOfLogLine(std::string_view(buffer).substr(size_t(begin - from), size_t(end - begin)));
        if (lineSecond < 0 || lineSecond <= second)
            break;
        start = begin;
    }
    tail = buffer.substr(size_t(start - from));
    return true;
}

// The lines of tail (each ending in a line break but perhaps the last) and
// the late ones (sorted by time, each ending in one), in order of time; a
// late line goes after the tail's lines of its second.
std::string MergedLines(std::string tail, const std::vector<std::string> &late)
{
    if (!tail.empty() && tail.back() != '\n')
        tail += '\n';
    std::string merged;
    merged.reserve(tail.size() + late.size() * 80);
    size_t at = 0;
    for (const std::string &line : late) {
        const int second = SecondOfLogLine(line);
        while (at < tail.size()) {
            const size_t end = tail.find('\n', at);
            if (SecondOfLogLine(std::string_view(tail).substr(at, end - at)) > second)
                break;
            merged.append(tail, at, end + 1 - at);
            at = end + 1;
        }
        merged += line;
    }
    merged.append(tail, at, std::string::npos);
    return merged;
}

// The lines of text, each with its line break.
std::vector<std::string> LinesOf(const std::string &text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size() - 1);
        lines.push_back(text.substr(at, end + 1 - at));
        at = end + 1;
    }
    return lines;
}

// Puts the late lines into the file in their places by time: the lines at
// its end that are later than the earliest of them are written again after
// them, merged. The file only grows (a write cut short leaves lines twice,
// never loses one). Returns 0 or errno; rewritten tells
// whether bytes before the old end changed.
int MergeIntoFile(const std::string &path, std::vector<std::string> late, bool &rewritten)
{
    rewritten = false;
    std::stable_sort(late.begin(), late.end(), [](const std::string &a, const std::string &b) {
        return SecondOfLogLine(a) < SecondOfLogLine(b);
    });
    if (const int error = MakeFoldersOf(path))
        return error;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    const int64_t size = ::lseek(fd, 0, SEEK_END);
    int64_t start = size;
    std::string tail;
    if (size < 0 || !FindLaterLines(fd, size, SecondOfLogLine(late.front()), start, tail)) {
        const int error = errno ? errno : EIO;
        ::close(fd);
        return error;
    }
    int error = WriteAll(fd, MergedLines(std::move(tail), late), start);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    rewritten = start < size;
    return error;
}

} // namespace

const std::string *LogWriter::PendingFor(const std::string &path) const
{
    const auto found = m_pending.find(path);
    return found == m_pending.end() ? nullptr : &found->second;
}

int MakeFoldersOf(const std::string &path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    return 0;
}

std::optional<LogWriter::Failure> LogWriter::Flush()
{
    std::map<std::string, std::string> pending;
    pending.swap(m_pending);
    std::map<std::string, std::vector<std::string>> late;
    late.swap(m_late);
    m_rewritten.clear();
    for (auto &[path, lines] : late) {
        // The kept lines of the file go in with the late ones: when the file
        // has nothing later, all of it is an append and nothing moves.
        std::vector<std::string> kept = LinesOf(pending[path]);
        pending.erase(path);
        lines.insert(lines.begin(), std::make_move_iterator(kept.begin()), std::make_move_iterator(kept.end()));
    }
    for (const auto &[path, lines] : pending)
        if (const int error = AppendToFile(path, lines))
            return Failure{path, error};
    for (auto &[path, lines] : late) {
        bool rewritten = false;
        const int error = MergeIntoFile(path, std::move(lines), rewritten);
        if (rewritten)
            m_rewritten.push_back(path);
        if (error)
            return Failure{path, error};
    }
    return std::nullopt;
}
