#pragma once

#include "history/LogIndex.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the threads of the logs' index share with their owner.
struct IndexShared
{
    std::atomic<bool> stopping{false};
    // Raised whenever the index file is made anew: a reader opens it again.
    std::atomic<int> generation{0};
    // A rebuild is queued and has not begun.
    std::atomic<bool> rebuildAsked{false};
};

// How far the index is behind the logs: bytes of log lines indexed and to
// be indexed in the run now going (a rebuild, or a catch-up at the start).
struct IndexProgress
{
    int64_t done = 0;
    int64_t total = 0;
    std::string error; // why the index cannot be used, or empty

    bool IsBusy() const { return done < total; }
};

// Fills the index from the logs, on the index's own thread with its own
// connection: at the start it checks the index and indexes every day file
// from its index position on (all of it for an index made anew: a rebuild);
// later the files the logs wrote to. Lines go in in batches, each in one
// transaction with the files' new index positions. A damaged index, or a log
// that became shorter than its index position, makes it build the index
// anew. Lines added to a file while it works are read when it reaches the
// file, and only once.
class IndexWorker
{
public:
    // Called on the worker's thread after every batch and at the end of a run.
    using ProgressSink = std::function<void(const IndexProgress &)>;
    static constexpr int kDefaultBatchLines = 50000;

    IndexWorker(std::string folder, IndexShared &shared, ProgressSink progress);

    // Lines per transaction (a rebuild's progress moves once per batch).
    void SetBatchLines(int lines) { m_batchLines = lines; }

    void Start();
    void IndexFiles(const std::vector<std::string> &paths);
    // Files whose lines moved: their lines are indexed anew from the start.
    void IndexFilesAnew(const std::vector<std::string> &paths);
    void Rebuild();

private:
    enum class Outcome { Done, Stopped, Damaged, Failed };

    bool Open(bool check);
    Outcome CatchUp();
    Outcome IndexFile(const LogDayFile &file, IndexProgress *progress);
    Outcome IndexLines(int64_t fileId, int fd, int64_t &position, IndexProgress *progress);
    Outcome AddLine(int64_t fileId, int64_t offset, std::string_view line);
    Outcome EndBatch(int64_t fileId, int64_t position, IndexProgress *progress);
    // A failed run: a damaged index is built anew (once), else the error is reported.
    void Settle(Outcome outcome);
    void Report(IndexProgress progress);

    std::string m_folder;
    std::string m_path;
    IndexShared &m_shared;
    ProgressSink m_progress;
    LogIndex m_index;
    int m_batchLines = kDefaultBatchLines;
    int m_linesInBatch = 0;
    bool m_inTransaction = false;
    bool m_rebuilding = false;
};
