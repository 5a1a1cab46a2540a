#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A line of a log with the lines around it, as a found line is shown.
struct LogContext
{
    std::string before; // empty for the first line of the file
    std::string line;
    std::string after; // empty for the last line

    // The line that begins at offset in the log file at path, with its
    // neighbours (without line breaks); none when the file cannot be read or
    // no line begins there (the file changed since it was indexed).
    static std::optional<LogContext> Read(const std::string &path, int64_t offset);
};
