#pragma once

#include <cstdint>
#include <string>

// Writes realistic logs into a folder as the program writes them: 100
// windows (channels and private conversations of three networks) over 30
// days, one file per window and day, the lines spread over each day.
// Messages of 1 to 18 words drawn from a vocabulary where a few words are
// common and most are rare (Slovak, with and without diacritics, and some
// English), now and then addressed to a nick or holding a link; actions;
// joins, parts, quits and nick changes. The same lines every time.
class LogGenerator
{
public:
    static constexpr int kWindows = 100;
    static constexpr int kDays = 30;

    // Writes lines lines in all; the bytes written.
    static int64_t Write(const std::string &folder, int64_t lines);
};
