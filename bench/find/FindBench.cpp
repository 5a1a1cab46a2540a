// The find bar over a long scroll-back: how long marking every hit of a word
// takes in a window of a million lines.
//
//   bench_find [--lines N] [--runs R] [--shot file.png]
//
// The view is the program's own TextView, visible (offscreen platform) at
// the size of a maximised window, without a text limit, filled with N
// realistic channel lines (1 000 000 by default) formatted as a channel
// window formats them: time stamps, nicks of the nick list, colours, bold,
// addresses, smileys and Slovak text (a sixth of the lines need more than
// Latin-1). A ViewFinder then marks every hit: the time is from setting the
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
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ProcessUsage.h"
#include "find/FindPattern.h"
#include "find/ViewFinder.h"
#include "text/TextClass.h"
#include "view/TextView.h"

namespace {

constexpr int kMembers = 500;

struct Line
{
    std::string text;
    TextClass textClass;
};

std::vector<std::string> MakeNicks(std::mt19937 &random)
{
    static const char *syllables[] = {"ka", "to", "mi", "ro", "la", "ne", "zu", "pe", "vi", "do", "sa", "ri"};
    std::set<std::string> unique;
    std::vector<std::string> nicks;
    while (nicks.size() < kMembers) {
        std::string nick;
        const int parts = 2 + int(random() % 3);
        for (int i = 0; i < parts; ++i)
            nick += syllables[random() % 12];
        if (random() % 4 == 0)
            nick += std::to_string(random() % 100);
        if (unique.insert(nick).second)
            nicks.push_back(nick);
    }
    return nicks;
}

// Channel talk: mostly plain ASCII words, now and then words with Slovak
// letters beyond Latin-1, nicks, colours, bold, addresses and smileys; and
// joins, parts and mode changes.
std::vector<Line> MakeMix(const std::vector<std::string> &nicks, std::mt19937 &random)
{
    static const char *words[] = {"ahoj",  "dnes",  "je",   "pekny",  "den",     "a",      "co",    "robis",
                                  "ja",    "nic",   "len",  "tak",    "sedim",   "pri",    "kompe", "server",
                                  "lagol", "zase",  "mas",  "pravdu", "uvidime", "zajtra", "vecer", "hra",
                                  "film",  "kanal", "link", "pozri",  "uz",      "este",   "mozno", "dobre"};
    static const char *slovak[] = {"správa", "čaj", "ďakujem", "šťastie", "ľudia", "päť", "môžeš", "žiadne"};
    static const char *smileys[] = {":)", ";)", ":D", ":(", ":-)", ":o", "8)", ":P"};
    std::vector<Line> mix;
    const auto nick = [&] { return nicks[random() % nicks.size()]; };
    for (int i = 0; i < 4000; ++i) {
        const int kind = int(random() % 20);
        if (kind == 0) {
            mix.push_back(
                {"* Teraz tu je aj " + nick() + " (user@host" + std::to_string(i) + ".example.sk)", TextClass::Info});
            continue;
        }
        if (kind == 1) {
            mix.push_back({"* Od teraz tu nieje " + nick(), TextClass::Info});
            continue;
        }
        if (kind == 2) {
            mix.push_back({"* Nový mód +o " + nick() + " od " + nick(), TextClass::Info});
            continue;
        }
        const bool wide = random() % 6 == 0;
        std::string text = nick() + ": ";
        const int length = 4 + int(random() % 13);
        for (int w = 0; w < length; ++w) {
            const int pick = int(random() % 40);
            if (pick == 0)
                text += nick();
            else if (pick == 1)
                text.append("\x03").append(std::to_string(random() % 16)).append("farba\x03");
            else if (pick == 2)
                text += "\x02tucne\x02";
            else if (pick == 3)
                text += "http://www.example.sk/stranka" + std::to_string(random() % 1000);
            else if (pick == 4)
                text += smileys[random() % 8];
            else if (pick == 5 && wide)
                text += slovak[random() % 8];
            else
                text += words[random() % 32];
            text += ' ';
        }
        text.pop_back();
        mix.push_back({text, TextClass::Text});
    }
    return mix;
}

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    long lines = 1000000;
    int runs = 5;
    const char *shot = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--lines"))
            lines = std::atol(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--runs"))
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--shot"))
            shot = argv[i + 1];
    }

    std::mt19937 random(2024);
    const std::vector<std::string> nicks = MakeNicks(random);
    const std::vector<Line> mix = MakeMix(nicks, random);

    TextView view;
    FormatContext context;
    context.m_timeStamps = true;
    const std::set<std::string> members(nicks.begin(), nicks.end());
    context.m_decoration.m_isNickListMember = [&](std::string_view nick) {
        return members.count(std::string(nick)) > 0;
    };
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
        const Line &line = mix[size_t(i) % mix.size()];
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
