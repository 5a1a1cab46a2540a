#pragma once

#include "history/LogLine.h"

#include <cstdint>
#include <string>
#include <vector>

// A line read back from a log, with the moment it was written: the day of
// its file and the time of the line, in local time.
struct LoggedLine
{
    LogEntry entry;
    int64_t time = 0; // seconds since 1970
};

// The last count lines of one window's log, oldest first. folder holds the
// window's day files ("YYYY-MM-DD.log"); the newest is read from its end
// backwards, then the day before it, and so on until count lines are found
// or the files end. At most kTailBytesPerLine bytes are read for every line
// asked for, so a huge file, or one whose lines are too long or damaged, is
// never read whole. A line that does not read back as a log line (cut short,
// damaged) is passed over; one that is not UTF-8 is read as windows-1250, as
// a received line is; formatting codes and other control characters in it
// are dropped.
std::vector<LoggedLine> ReadLogTail(const std::string &folder, int count);

inline constexpr int64_t kTailBytesPerLine = 4096;
