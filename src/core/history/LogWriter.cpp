#include "history/LogWriter.h"

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
    int error = 0;
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = written < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<size_t>(written);
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace

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
    for (const auto &[path, lines] : pending)
        if (const int error = AppendToFile(path, lines))
            return Failure{path, error};
    return std::nullopt;
}
