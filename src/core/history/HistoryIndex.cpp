#include "history/HistoryIndex.h"

#include "history/LogQuery.h"
#include "history/SearchWorker.h"
#include "platform/BackgroundThread.h"

#include <QMetaObject>

HistoryIndex::HistoryIndex(const std::string &folder, int batchLines, QObject *parent)
    : QObject(parent), m_folder(folder), m_fillContext(new QObject), m_findContext(new QObject)
{
    m_filler = std::make_unique<IndexWorker>(folder, m_shared, [this](const IndexProgress &progress) {
        QMetaObject::invokeMethod(
            this,
            [this, progress] {
                m_progress = progress;
                emit progressChanged();
            },
            Qt::QueuedConnection);
    });
    m_filler->SetBatchLines(batchLines);
    m_finder = std::make_unique<SearchWorker>(folder, m_shared);
    m_fillThread.setObjectName(QStringLiteral("log index"));
    m_findThread.setObjectName(QStringLiteral("log search"));
    m_fillContext->moveToThread(&m_fillThread);
    m_findContext->moveToThread(&m_findThread);
    m_gatherTimer.setSingleShot(true);
    m_gatherTimer.setInterval(kGatherMs);
    connect(&m_gatherTimer, &QTimer::timeout, this, &HistoryIndex::IndexGatheredFiles);
    m_fillThread.start();
    m_findThread.start();
    Post(m_fillContext, [filler = m_filler.get()] {
        // Filling never competes with the window the user looks at, nor with a flood coming in.
        MakeThisThreadBackground();
        filler->Start();
    });
}

HistoryIndex::~HistoryIndex()
{
    m_shared.stopping = true;
    m_fillThread.quit();
    m_findThread.quit();
    m_fillThread.wait();
    m_findThread.wait();
    // Work still queued is dropped with its context.
    delete m_fillContext;
    delete m_findContext;
}

void HistoryIndex::Post(QObject *context, std::function<void()> work)
{
    QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

void HistoryIndex::FilesWritten(const std::vector<std::string> &paths)
{
    m_gathered.insert(paths.begin(), paths.end());
    if (!m_gathered.empty() && !m_gatherTimer.isActive())
        m_gatherTimer.start();
}

void HistoryIndex::FilesRewritten(const std::vector<std::string> &paths)
{
    for (const std::string &path : paths)
        m_gathered.erase(path);
    Post(m_fillContext, [filler = m_filler.get(), paths] { filler->IndexFilesAnew(paths); });
}

void HistoryIndex::IndexGatheredFiles()
{
    m_gatherTimer.stop();
    if (m_gathered.empty())
        return;
    std::vector<std::string> paths(m_gathered.begin(), m_gathered.end());
    m_gathered.clear();
    Post(m_fillContext, [filler = m_filler.get(), paths = std::move(paths)] { filler->IndexFiles(paths); });
}

void HistoryIndex::Rebuild()
{
    // Queries that meet the damage one after another ask for one rebuild.
    if (!m_shared.rebuildAsked.exchange(true))
        Post(m_fillContext, [filler = m_filler.get()] { filler->Rebuild(); });
}

void HistoryIndex::Find(const LogQuery &query, int64_t before, int limit, FindCallback done)
{
    Post(m_findContext, [this, finder = m_finder.get(), query, before, limit, done = std::move(done)] {
        LogFindResult result = finder->Find(query, before, limit);
        if (finder->FoundDamage())
            Rebuild();
        QMetaObject::invokeMethod(
            this, [result = std::move(result), done] { done(result); }, Qt::QueuedConnection);
    });
}

void HistoryIndex::AfterPendingWork(std::function<void()> then)
{
    IndexGatheredFiles();
    Post(m_fillContext,
         [this, then = std::move(then)] { QMetaObject::invokeMethod(this, then, Qt::QueuedConnection); });
}
