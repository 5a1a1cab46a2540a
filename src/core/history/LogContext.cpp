#include "history/LogContext.h"

#include <algorithm>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace {

// Log lines are short: this much on either side holds the neighbours.
constexpr int64_t kBehind = 4096;
constexpr int64_t kAhead = 8192;

std::optional<std::string> ReadRange(const std::string &path, int64_t from, int64_t size)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done, from + int64_t(done));
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

std::string_view LineFrom(std::string_view bytes, size_t start)
{
    if (start >= bytes.size())
        return {};
    const size_t end = bytes.find('\n', start);
    return bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

} // namespace

std::optional<LogContext> LogContext::Read(const std::string &path, int64_t offset)
{
    const int64_t from = std::max<int64_t>(0, offset - kBehind);
    const std::optional<std::string> bytes = ReadRange(path, from, offset - from + kAhead);
    const size_t at = static_cast<size_t>(offset - from);
    if (!bytes || at >= bytes->size() || (at > 0 && (*bytes)[at - 1] != '\n'))
        return std::nullopt;
    const std::string_view view = *bytes;
    LogContext context;
    context.line = LineFrom(view, at);
    const size_t next = at + context.line.size() + 1;
    if (next < view.size())
        context.after = LineFrom(view, next);
    if (at > 0) {
        // Everything before the break that ends the line before.
        const std::string_view head = view.substr(0, at - 1);
        const size_t lastBreak = head.rfind('\n');
        // A line before that began outside what was read is left out, not cut.
        if (lastBreak != std::string_view::npos)
            context.before = head.substr(lastBreak + 1);
        else if (from == 0)
            context.before = head;
    }
    return context;
}
