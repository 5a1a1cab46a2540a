// The flood benchmark. Without arguments it runs one client process per
// flood size (20 000 and 100 000 lines, or the sizes given) and prints a
// table. "--client N": one measured client; "--serve N C M": the server
// child (N flood lines, C channels of M members).
//
// "--idle [C M]": memory at rest instead. The client is joined to C channels
// (default 20) of M members each (default 1000), every window open and
// visible; once everything is quiet it prints its peak resident memory, the
// resident memory a few seconds later and its anonymous part.
//
// The client is a real session against the server child on 127.0.0.1,
// showing the channel in the program's own channel window (text view, nick
// list, input line) inside a visible MDI main window, offscreen platform.
// Measured: the time from the server's first flood line to the PONG of the
// final "PING :done" (taken by the server), the client's CPU time over the
// same span, and the client's peak resident memory (VmHWM).
//
// For finding where the time goes: BRIMO_FLOOD_HIDDEN keeps the main window
// hidden, BRIMO_FLOOD_PAINTS counts the paints of each kind of widget, and
// BRIMO_FLOOD_DUMP=file writes the channel window's HTML at the end.
#include <QApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "BenchWait.h"
#include "FloodLines.h"
#include "FloodRun.h"
#include "MeasuredChild.h"
#include "ProcessUsage.h"
#include "conversation/Conversation.h"
#include "session/Session.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

namespace {

// With BRIMO_FLOOD_PAINTS set: how often each kind of widget painted during
// the flood, for finding what repaints more than it needs to.
class PaintCensus : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_counting && event->type() == QEvent::Paint)
            ++m_paints[watched->metaObject()->className()];
        return false;
    }
    void Start() { m_counting = true; }
    void Stop() { m_counting = false; }
    void Print() const
    {
        for (const auto &[name, count] : m_paints)
            std::printf("    %-28s %7d paints\n", name.c_str(), count);
    }

private:
    bool m_counting = false;
    std::map<std::string, int> m_paints;
};

int Client(int argc, char **argv, int lines)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FloodClient client;
    if (!client.PrepareFlood(lines))
        return 1;

    PaintCensus census;
    const bool countPaints = qEnvironmentVariableIsSet("BRIMO_FLOOD_PAINTS");
    if (countPaints) {
        app.installEventFilter(&census);
        census.Start();
    }
    const std::optional<FloodMeasurement> flood = MeasureFlood(client);
    if (!flood)
        return 1;
    census.Stop();
    const double seconds = flood->seconds;
    const double cpu = flood->cpuSeconds;
    const ConversationWindow *frame = client.Shell().Frame(FloodLines::kChannel);
    const TextView *view = frame ? frame->View() : nullptr;
    std::printf("%8d lines  %8.3f s  %9.0f lines/s  client CPU %7.3f s  peak %6.1f MB  (view: %d lines, "
                "%lld bytes)\n",
                lines, seconds, lines / seconds, cpu, ProcessUsage::PeakMegabytes(), view ? view->LineCount() : 0,
                view ? static_cast<long long>(view->TextSize()) : 0LL);
    if (countPaints)
        census.Print();
    // With BRIMO_FLOOD_DUMP=file: the channel window's HTML, for comparing runs.
    if (view && qEnvironmentVariableIsSet("BRIMO_FLOOD_DUMP")) {
        std::ofstream dump(qEnvironmentVariable("BRIMO_FLOOD_DUMP").toStdString());
        dump << view->Source() << '\n';
    }
    std::fflush(stdout);
    return 0;
}

int IdleClient(int argc, char **argv, int channels, int members)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FloodClient client;
    if (!client.Connect(0, channels, members) || !client.WaitJoined(channels, members))
        return 1;
    WaitUntil([] { return false; }, 1000); // the windows settle and paint
    const double peak = ProcessUsage::PeakMegabytes();
    WaitUntil([] { return false; }, 4000); // nothing happens: what stays
    std::printf("%3d channels x %5d members  peak %6.1f MB  settled %6.1f MB  anonymous %6.1f MB\n", channels, members,
                peak, ProcessUsage::ResidentMegabytes(), ProcessUsage::AnonymousMegabytes());
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 5 && mode == "--serve")
        return ServeFlood(argc, argv, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if (argc == 3 && mode == "--client")
        return Client(argc, argv, std::atoi(argv[2]));
    if (argc == 4 && mode == "--idle-client")
        return IdleClient(argc, argv, std::atoi(argv[2]), std::atoi(argv[3]));

    QCoreApplication app(argc, argv);
    if (mode == "--idle") {
        const QString channels = argc > 2 ? argv[2] : "20";
        const QString members = argc > 3 ? argv[3] : "1000";
        return RunMeasuredChild({"--idle-client", channels, members}) != 0;
    }
    QStringList sizes;
    for (int i = 1; i < argc; ++i)
        sizes << argv[i];
    if (sizes.isEmpty())
        sizes << "20000"
              << "100000";
    int failures = 0;
    for (const QString &size : sizes)
        failures += RunMeasuredChild({"--client", size}) != 0;
    return failures;
}
