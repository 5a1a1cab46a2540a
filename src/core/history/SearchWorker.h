#pragma once

#include "history/IndexWorker.h"
#include "history/LogFindResult.h"
#include "history/LogIndex.h"

#include <string>

struct LogQuery;

// Answers queries on the index of the logs, on a thread of its own with its
// own connection (readers never wait for the filling): the index gives the
// keys of the newest matching lines, the logs give the lines and their
// neighbours. A line whose nick is not the query's nick (the index knows
// only the nick's words) or that is no longer in its log is left out.
class SearchWorker
{
public:
    SearchWorker(std::string folder, IndexShared &shared);

    LogFindResult Find(const LogQuery &query, int64_t before, int limit);
    // Whether the last query found the index damaged.
    bool FoundDamage() const { return m_index.IsDamaged(); }

private:
    bool Open();

    std::string m_folder;
    IndexShared &m_shared;
    LogIndex m_index;
    int m_generation = -1;
};
