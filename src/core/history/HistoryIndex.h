#pragma once

#include "history/IndexWorker.h"
#include "history/LogFindResult.h"

#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class SearchWorker;
struct LogQuery;

// The index of the logs in a folder, kept in the background: it starts at
// once (checks the index, builds it anew from the logs when it is missing
// or damaged, indexes what the logs hold beyond it), follows the files the
// logs write, and answers queries. Filling and finding run on two threads of
// their own; nothing here waits for either. Lives on the UI thread, and
// every callback comes there.
class HistoryIndex : public QObject
{
    Q_OBJECT

public:
    using FindCallback = std::function<void(const LogFindResult &)>;

    // batchLines: lines per transaction (IndexWorker::SetBatchLines).
    explicit HistoryIndex(const std::string &folder, int batchLines = IndexWorker::kDefaultBatchLines,
                          QObject *parent = nullptr);
    // Stops both threads after the batch they are on; what is not indexed
    // yet is indexed at the next start.
    ~HistoryIndex() override;

    const std::string &Folder() const { return m_folder; }
    const IndexProgress &Progress() const { return m_progress; }

    // How long the files the logs wrote are gathered before they are
    // indexed: lines reach the index a few seconds after the log, and a flood
    // of lines is indexed once it has passed, not while it comes.
    static constexpr int kGatherMs = 5000;

    // Lines were appended to these log files.
    void FilesWritten(const std::vector<std::string> &paths);
    // Lines went into these log files before their end: they are indexed
    // anew (at once: what the index held of them no longer matches).
    void FilesRewritten(const std::vector<std::string> &paths);
    // Builds the index anew from the logs.
    void Rebuild();
    // A page of the lines the query finds (see SearchWorker), newest first,
    // with keys below before (0: from the newest). done comes later, on this
    // thread, unless this object is gone by then.
    void Find(const LogQuery &query, int64_t before, int limit, FindCallback done);
    // then runs on this thread once everything asked of the filling thread
    // before it is done, the files gathered included.
    void AfterPendingWork(std::function<void()> then);

signals:
    void progressChanged();

private:
    void Post(QObject *context, std::function<void()> work);
    // Hands the gathered files to the filling thread.
    void IndexGatheredFiles();

    std::string m_folder;
    IndexShared m_shared;
    IndexProgress m_progress;
    QThread m_fillThread;
    QThread m_findThread;
    QObject *m_fillContext;
    QObject *m_findContext;
    std::unique_ptr<IndexWorker> m_filler;
    std::unique_ptr<SearchWorker> m_finder;
    std::set<std::string> m_gathered;
    QTimer m_gatherTimer;
};
