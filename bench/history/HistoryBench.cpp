// The logs' benchmark. Without arguments (or with a number of lines, the
// default 10 000 000): writes realistic logs of 100 windows over 30 days
// into a scratch folder (LogGenerator), builds their index as the program
// does at its first start with logging on, asks two-word queries for their
// first page of results, and floods the flood benchmark's 100 000 lines
// through a real session and window with logging off and on, alternately,
// seven times each. Prints the figures as it goes and, last, one line:
//   history: lines=N index_lines_per_s=N query_ms=N find_ms=N log_overhead_pct=N
// query_ms is the median of the queries' times to their first page;
// log_overhead_pct compares the fastest flood with logging on to the fastest
// without: the runs alternate, and what else the machine runs only ever adds
// time, so the fastest of each is the least disturbed (the medians are
// printed too); find_ms
// (marking every hit of a word in a window of a million lines) is the find
// bar's own benchmark, bench_find, run here as a child.
//
// "--flood-client N [folder]": one measured flood of N lines, logged into
// folder when given; "--serve N C M": the flood's server child.
// BRIMO_HISTORY_DIR=folder keeps the generated logs and their index there.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchWait.h"
#include "FloodRun.h"
#include "LogGenerator.h"
#include "history/HistoryIndex.h"
#include "history/LogIndex.h"
#include "history/LogQuery.h"

namespace {

constexpr int64_t kDefaultLines = 10000000;
constexpr int kFloodLines = 100000;
constexpr int kFloodRuns = 7;
constexpr int kPageLines = 200; // as the find-everywhere window asks
constexpr const char *kQueries[] = {"dobrý večer", "pivo zajtra",   "sprava server", "chyba verzia",
                                    "hokej zápas", "kernel driver", "nick:bob ahoj"};

int64_t FileSize(const std::string &path)
{
    struct stat status
    {};
    return ::stat(path.c_str(), &status) == 0 ? int64_t(status.st_size) : 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Runs program with arguments to its end; what it printed, empty when it failed.
QString OutputOf(const QString &program, const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, arguments);
    child.waitForFinished(-1);
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return {};
    return QString::fromUtf8(child.readAllStandardOutput());
}

// The number printed as "name=N" in output (the last such), -1 when missing.
double PrintedValue(const QString &output, const QString &name)
{
    const qsizetype at = output.lastIndexOf(name + QLatin1Char('='));
    if (at < 0)
        return -1;
    bool ok = false;
    const double value =
        output.mid(at + name.size() + 1).section(QRegularExpression(QStringLiteral("\\s")), 0, 0).toDouble(&ok);
    return ok ? value : -1;
}

// One flood in a child process of its own (a fresh program each time): the
// server's seconds and the client's CPU seconds, -1 when it failed.
FloodMeasurement FloodInChild(const QString &logsFolder)
{
    QStringList arguments = {"--flood-client", QString::number(kFloodLines)};
    if (!logsFolder.isEmpty())
        arguments << logsFolder;
    const QString output = OutputOf(QCoreApplication::applicationFilePath(), arguments);
    return {PrintedValue(output, QStringLiteral("flood_seconds")), PrintedValue(output, QStringLiteral("flood_cpu"))};
}

// The find bar's benchmark (a window of a million lines) in a child: the
// milliseconds to mark every hit of a plain word, -1 when it failed.
double FindMilliseconds()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_find");
    const QString output = OutputOf(program, {});
    std::printf("%s", output.toUtf8().constData());
    std::fflush(stdout);
    return PrintedValue(output, QStringLiteral("find_ms"));
}

int FloodClientMain(int argc, char **argv, int lines, const std::string &logsFolder)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FloodClient client(logsFolder);
    if (!client.PrepareFlood(lines))
        return 1;
    const std::optional<FloodMeasurement> flood = MeasureFlood(client);
    if (!flood)
        return 1;
    std::printf("flood_seconds=%.6f flood_cpu=%.6f\n", flood->seconds, flood->cpuSeconds);
    std::fflush(stdout);
    return 0;
}

// Starts the index of the logs in folder as the program does and waits
// until it has caught up with them; the seconds it took.
double IndexSeconds(const std::string &folder, std::unique_ptr<HistoryIndex> &index)
{
    QElapsedTimer timer;
    timer.start();
    index = std::make_unique<HistoryIndex>(folder);
    bool done = false;
    index->AfterPendingWork([&] { done = true; });
    WaitUntil([&] { return done; }, 24 * 3600 * 1000);
    return timer.nsecsElapsed() / 1e9;
}

// The milliseconds to the first page of the query's results.
double QueryMilliseconds(HistoryIndex &index, const char *text, size_t &found)
{
    const LogQuery query = ParseLogQuery(text).query;
    QElapsedTimer timer;
    timer.start();
    bool done = false;
    index.Find(query, 0, kPageLines, [&](const LogFindResult &result) {
        found = result.lines.size();
        done = true;
    });
    WaitUntil([&] { return done; }, 600000);
    return timer.nsecsElapsed() / 1e6;
}

int Run(int argc, char **argv, int64_t lines)
{
    QCoreApplication app(argc, argv);
    // BRIMO_HISTORY_DIR names a folder to keep the logs and the index in (for a look at them afterwards).
    QTemporaryDir scratch;
    const QString kept = qEnvironmentVariable("BRIMO_HISTORY_DIR");
    const std::string folder = (kept.isEmpty() ? scratch.path() : kept).toStdString() + "/logs";

    QElapsedTimer timer;
    timer.start();
    const int64_t bytes = LogGenerator::Write(folder, lines);
    if (bytes < 0) {
        std::fprintf(stderr, "the logs could not be written in %s\n", folder.c_str());
        return 1;
    }
    std::printf("logs: %lld lines, %d windows x %d days, %.1f MB, written in %.1f s\n", static_cast<long long>(lines),
                LogGenerator::kWindows, LogGenerator::kDays, bytes / 1e6, timer.nsecsElapsed() / 1e9);
    std::fflush(stdout);

    std::unique_ptr<HistoryIndex> index;
    const double indexSeconds = IndexSeconds(folder, index);
    if (!index->Progress().error.empty()) {
        std::fprintf(stderr, "the index failed: %s\n", index->Progress().error.c_str());
        return 1;
    }
    std::printf("index: %.1f s, %.0f lines/s\n", indexSeconds, lines / indexSeconds);

    std::vector<double> queryTimes;
    for (const char *query : kQueries) {
        size_t found = 0;
        queryTimes.push_back(QueryMilliseconds(*index, query, found));
        std::printf("query \"%s\": %.1f ms to the first page (%zu lines)\n", query, queryTimes.back(), found);
    }
    index.reset();
    // The next start checks the index through and finds nothing to add.
    std::printf("a start with the index in place: %.1f s until it is checked and caught up\n",
                IndexSeconds(folder, index));
    index.reset();
    const std::string indexPath = LogIndex::PathIn(folder);
    const int64_t indexBytes = FileSize(indexPath) + FileSize(indexPath + "-wal") + FileSize(indexPath + "-shm");
    std::printf("index on disk: %.1f MB (%.0f bytes a line, %.0f %% of the logs' %.1f MB)\n", indexBytes / 1e6,
                double(indexBytes) / double(std::max<int64_t>(1, lines)),
                100.0 * double(indexBytes) / double(std::max<int64_t>(1, bytes)), bytes / 1e6);
    std::fflush(stdout);

    std::vector<double> off;
    std::vector<double> on;
    std::vector<double> offCpu;
    std::vector<double> onCpu;
    for (int run = 0; run < kFloodRuns; ++run) {
        const FloodMeasurement without = FloodInChild(QString());
        QTemporaryDir logs;
        const FloodMeasurement with = FloodInChild(logs.path() + QStringLiteral("/logs"));
        std::printf("flood of %d lines: logging off %.3f s (client CPU %.3f s), on %.3f s (CPU %.3f s)\n", kFloodLines,
                    without.seconds, without.cpuSeconds, with.seconds, with.cpuSeconds);
        std::fflush(stdout);
        off.push_back(without.seconds);
        on.push_back(with.seconds);
        offCpu.push_back(without.cpuSeconds);
        onCpu.push_back(with.cpuSeconds);
    }
    const double fastestOff = *std::min_element(off.begin(), off.end());
    const double fastestOn = *std::min_element(on.begin(), on.end());
    if (fastestOff <= 0 || fastestOn <= 0) {
        std::fprintf(stderr, "a flood failed\n");
        return 1;
    }
    std::printf("logging's cost in the flood's time: %.0f %% (fastest %.3f s off, %.3f s on; medians %.3f s, %.3f s)\n",
                100.0 * (fastestOn - fastestOff) / fastestOff, fastestOff, fastestOn, Median(off), Median(on));
    // The client's processor time moves less with what else the machine runs.
    std::printf("logging's cost in the client's CPU time: %.0f %% (medians %.3f s off, %.3f s on)\n",
                100.0 * (Median(onCpu) - Median(offCpu)) / Median(offCpu), Median(offCpu), Median(onCpu));
    const double findMs = FindMilliseconds();
    if (findMs < 0) {
        std::fprintf(stderr, "the find bar's benchmark failed\n");
        return 1;
    }
    std::printf("history: lines=%lld index_lines_per_s=%lld query_ms=%lld find_ms=%lld log_overhead_pct=%lld\n",
                static_cast<long long>(lines), std::llround(lines / indexSeconds), std::llround(Median(queryTimes)),
                std::llround(findMs), std::llround(100.0 * (fastestOn - fastestOff) / fastestOff));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 5 && mode == "--serve")
        return ServeFlood(argc, argv, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if ((argc == 3 || argc == 4) && mode == "--flood-client")
        return FloodClientMain(argc, argv, std::atoi(argv[2]), argc == 4 ? argv[3] : "");
    const int64_t lines = argc > 1 ? std::atoll(argv[1]) : kDefaultLines;
    if (lines <= 0) {
        std::fprintf(stderr, "usage: %s [lines]\n", argv[0]);
        return 2;
    }
    return Run(argc, argv, lines);
}
