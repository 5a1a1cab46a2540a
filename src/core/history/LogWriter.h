#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// Makes every missing folder of the file's path, owner-only (0700); 0 or errno.
int MakeFoldersOf(const std::string &path);

// The buffer of lines on their way to log files. Lines are only kept;
// Flush writes what was kept, each file opened for appending and closed
// again, its missing folders made owner-only (0700), a new file owner-only
// (0600).
class LogWriter
{
public:
    struct Failure
    {
        std::string path;
        int error = 0; // errno
    };

    // The lines kept for the file at path, each ending in "\n": a line is
    // appended to them in place (a flood's lines are not copied twice).
    std::string &LinesFor(const std::string &path) { return m_pending[path]; }
    // The lines kept for the file at path; null when there are none.
    const std::string *PendingFor(const std::string &path) const;
    // A line (ending in "\n") dated before lines the file or the lines kept
    // for it already hold: Flush puts it in its place by the time it begins
    // with, after the lines of the same second.
    void AddLateLine(const std::string &path, std::string line) { m_late[path].push_back(std::move(line)); }
    bool HasPending() const { return !m_pending.empty() || !m_late.empty(); }

    // Writes every kept line. On the first file that cannot be written (a
    // full disk, a folder that is not writable) the rest is dropped and the
    // failure returned.
    std::optional<Failure> Flush();
    // The files whose content the last Flush changed before their end (late
    // lines went in between), each once.
    const std::vector<std::string> &Rewritten() const { return m_rewritten; }
    // Drops the kept lines unwritten.
    void Discard()
    {
        m_pending.clear();
        m_late.clear();
    }

private:
    std::map<std::string, std::string> m_pending;           // path -> lines, each with "\n"
    std::map<std::string, std::vector<std::string>> m_late; // path -> late lines, each with "\n"
    std::vector<std::string> m_rewritten;
};
