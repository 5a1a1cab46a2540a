#include "history/SearchWorker.h"

#include "history/LogLine.h"
#include "history/LogQuery.h"
#include "text/CaseFold.h"

SearchWorker::SearchWorker(std::string folder, IndexShared &shared) : m_folder(std::move(folder)), m_shared(shared) {}

// The index made anew since it was opened is opened again.
bool SearchWorker::Open()
{
    const int generation = m_shared.generation;
    if (m_index.IsOpen() && generation == m_generation && !m_index.IsDamaged())
        return true;
    m_generation = generation;
    return m_index.Open(LogIndex::PathIn(m_folder), LogIndex::Mode::Find, false) == LogIndex::OpenResult::Opened;
}

LogFindResult SearchWorker::Find(const LogQuery &query, int64_t before, int limit)
{
    LogFindResult result;
    if (!Open()) {
        result.unavailable = true;
        return result;
    }
    const std::vector<LogIndex::Hit> hits = m_index.Find(query, before, limit);
    result.unavailable = m_index.IsDamaged();
    result.more = int(hits.size()) == limit;
    result.next = hits.empty() ? 0 : hits.back().key;
    const std::string nick = FoldCase(query.nick);
    for (const LogIndex::Hit &hit : hits) {
        LogFound found{hit.file, hit.file.PathIn(m_folder), hit.offset, hit.key, {}};
        std::optional<LogContext> context = LogContext::Read(found.path, hit.offset);
        if (!context)
            continue;
        if (!nick.empty()) {
            const std::optional<LogEntry> entry = ParseLogLine(context->line);
            if (!entry || FoldCase(entry->nick) != nick)
                continue;
        }
        found.context = std::move(*context);
        result.lines.push_back(std::move(found));
    }
    return result;
}
