#pragma once

#include "history/LogContext.h"
#include "history/LogDayFile.h"

#include <cstdint>
#include <string>
#include <vector>

// A line of the logs that a query found, with the lines around it.
struct LogFound
{
    LogDayFile file;
    std::string path;
    int64_t offset = 0; // where the line begins in the file
    int64_t key = 0;    // its key in the index: a later line has a larger key
    LogContext context;
};

// One page of what a query found, newest first.
struct LogFindResult
{
    std::vector<LogFound> lines;
    // Whether there may be more: the next page asks for keys below next.
    bool more = false;
    int64_t next = 0;
    // The index is not there yet (being built) or cannot be read.
    bool unavailable = false;
};
