// The find bar over a long scroll-back: how long marking every hit of a word
// takes in a window of a million lines.
//
//   bench_find [--lines N] [--runs R] [--shot file.png]
//
// The view is the program's own TextView, visible (offscreen platform) at
// the size of a maximised window, without a text limit, filled with N
// realistic channel lines (1 000 000 by default; the mix of bench_view with
// Slovak words in a sixth of the talk) formatted as a channel window formats
// them: time stamps, nicks of the nick list, colours, bold, addresses, smileys. A ViewFinder then marks every hit: the time is from setting the
// pattern until every line is searched, the current hit chosen and the view
// scrolled to it; the repaint that follows is timed on its own. Each search
// runs R times (5 by default); the medians are reported, as the processor
// time of the thread (the figure, steady on a busy machine) and wall time.
//
// The last line is "find_ms=N": the median for a plain word without regard
// to case (the find bar's default), which should stay under 100 ms.

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "BenchOptions.h"
#include "ChannelTalk.h"
#include "ProcessUsage.h"
#include "find/FindPattern.h"
#include "find/ViewFinder.h"
#include "text/TextClass.h"
#include "view/TextView.h"

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The processor time of this thread: what the search costs, whatever else
// the machine runs meanwhile (the wall time is printed too).
double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Timing
{
    double searchMs = 0;     // processor time
    double searchWallMs = 0; // wall time
    double paintMs = 0;
    int hits = 0;
};

// Marks the hits of the pattern runs times, each from no marks.
Timing TimeSearch(TextView &view, const FindPattern &pattern, int runs)
{
    std::vector<double> search;
    std::vector<double> wall;
    std::vector<double> paint;
    int hits = 0;
    for (int run = 0; run < runs; ++run) {
        ViewFinder finder(&view);
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = ThreadCpuMs();
        finder.SetPattern(pattern);
        search.push_back(ThreadCpuMs() - cpuBefore);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        hits = finder.Count();
        const double paintBefore = ThreadCpuMs();
        view.viewport()->repaint();
        paint.push_back(ThreadCpuMs() - paintBefore);
        finder.Stop();
    }
    return {Median(search), Median(wall), Median(paint), hits};
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const BenchOptions options(argc, argv);
    const long lines = options.Number("--lines", 1000000);
    const int runs = int(std::max(1L, options.Number("--runs", 5)));
    const char *shot = options.Text("--shot");

    std::mt19937 random(2024);
    const std::vector<std::string> members = ChannelTalk::MakeMembers(random);
    const std::vector<ChannelTalk::Line> mix = ChannelTalk::MakeMix(members, random, true);

    TextView view;
    FormatContext context;
    context.m_timeStamps = true;
    std::set<std::string, std::less<>> nicks;
    for (const std::string &member : members)
        nicks.insert(ChannelTalk::Bare(member));
    context.m_decoration.m_isNickListMember = [&](std::string_view nick) { return nicks.count(nick) > 0; };
    context.m_decoration.m_smileyFolder = QCoreApplication::applicationDirPath().toStdString() + "/smiles";
    view.SetFormatContext(context);
    view.Create();
    view.SetTextLimit(0);
    view.resize(1200, 800);
    view.show();
    QCoreApplication::processEvents();

    QElapsedTimer fill;
    fill.start();
    for (long i = 0; i < lines; ++i) {
        const ChannelTalk::Line &line = mix[size_t(i) % mix.size()];
        view.WriteLine(line.text, line.textClass, true);
        if (i % 10000 == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    }
    QCoreApplication::processEvents();
    std::printf("window: %d lines, %lld characters, filled in %.1f s, peak memory (VmHWM) %.0f MB\n", view.LineCount(),
                static_cast<long long>(view.TextSize()), double(fill.nsecsElapsed()) / 1e9,
                ProcessUsage::PeakMegabytes());

    struct Case
    {
        const char *name;
        QString text;
        FindOptions options;
    };
    FindOptions caseSensitive;
    caseSensitive.m_caseSensitive = true;
    FindOptions wholeWord;
    wholeWord.m_wholeWord = true;
    FindOptions expression;
    expression.m_regularExpression = true;
    const Case cases[] = {
        {"slovak word", QStringLiteral("ŠŤASTIE"), {}},
        {"case sensitive", QStringLiteral("zajtra"), caseSensitive},
        {"whole word", QStringLiteral("zajtra"), wholeWord},
        {"regular expression", QStringLiteral("zajtra|vecer"), expression},
        {"plain word", QStringLiteral("zajtra"), {}},
    };
    Timing plain;
    for (const Case &c : cases) {
        const Timing timing = TimeSearch(view, FindPattern(c.text, c.options), runs);
        std::printf("%-19s \"%s\": %d hits marked in %.1f ms of processor time (%.1f ms wall; medians of %d), "
                    "repaint %.1f ms\n",
                    c.name, c.text.toUtf8().constData(), timing.hits, timing.searchMs, timing.searchWallMs, runs,
                    timing.paintMs);
        plain = timing;
    }
    if (shot) {
        ViewFinder finder(&view);
        finder.SetPattern(FindPattern(QStringLiteral("zajtra"), {}));
        finder.Previous();
        QCoreApplication::processEvents();
        view.grab().save(QString::fromLocal8Bit(shot));
        std::printf("screenshot written to %s\n", shot);
    }
    std::printf("find_ms=%.0f\n", plain.searchMs);
    return 0;
}
