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
#include <QTemporaryDir>

#include <sys/time.h>

#include <ctime>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "BenchShell.h"
#include "BenchWait.h"
#include "FloodLines.h"
#include "FloodServer.h"
#include "MeasuredChild.h"
#include "ProcessUsage.h"
#include "ServerChild.h"
#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/DispatchHandlers.h"
#include "session/Session.h"
#include "session/SessionTable.h"
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

int Serve(int argc, char **argv, int lines, int channels, int members)
{
    QCoreApplication app(argc, argv);
    FloodServer server(lines, channels, members);
    if (!server.Listen())
        return 1;
    return app.exec();
}

// A configuration folder of the benchmark's own with the nick in it.
struct BenchConfig
{
    BenchConfig()
    {
        SetConfigDirectory(dir.path().toStdString());
        WriteString(kBaseSection, "Nick", "me");
        // A user's configuration file was written long before a flood comes.
        const std::string configFile = ConfigFilePath();
        const timeval anHourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
        utimes(configFile.c_str(), anHourAgo);
    }
    QTemporaryDir dir;
};

// The server child and the session connected to it, in a visible (or, with
// BRIMO_FLOOD_HIDDEN, hidden) main window of the program's real windows.
class BenchClient
{
public:
    BenchClient() : m_shell(!qEnvironmentVariableIsSet("BRIMO_FLOOD_HIDDEN")), m_table(&m_shell, m_commands) {}

    // Starts the server child and connects; false (said on stderr) when it fails.
    bool Connect(int lines, int channels, int members)
    {
        const unsigned port =
            m_server.Start({"--serve", QString::number(lines), QString::number(channels), QString::number(members)});
        if (port == 0)
            return false;
        // The application fills its contact list (empty here) at start.
        m_table.Contacts().Set({});
        m_session = m_table.CreateSession("127.0.0.1", port, "");
        return m_session != nullptr;
    }

    // Waits until the client is in channels channels with members members each.
    bool WaitJoined(int channels, int members)
    {
        const bool joined = WaitUntil(
            [&] {
                for (int k = 0; k < channels; ++k) {
                    Conversation *channel = m_session->FindWindow(FloodLines::Channel(k));
                    if (!channel || channel->Nicks().NickCount() < members)
                        return false;
                }
                return true;
            },
            60000);
        if (!joined)
            std::fprintf(stderr, "the session did not join the channels\n");
        return joined;
    }

    Session &ClientSession() { return *m_session; }
    BenchShell &Shell() { return m_shell; }
    const std::string &ServerOutput() const { return m_server.Output(); }

private:
    BenchConfig m_config;
    ServerChild m_server;
    BenchShell m_shell;
    CommandDispatcher m_commands;
    SessionTable m_table;
    Session *m_session = nullptr;
};

int Client(int argc, char **argv, int lines)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchClient client;
    if (!client.Connect(lines, 1, FloodLines::kMembers) || !client.WaitJoined(1, FloodLines::kMembers))
        return 1;
    WaitUntil([] { return false; }, 200); // let the window settle and paint

    PaintCensus census;
    const bool countPaints = qEnvironmentVariableIsSet("BRIMO_FLOOD_PAINTS");
    if (countPaints) {
        app.installEventFilter(&census);
        census.Start();
    }
    const double cpuBefore = ProcessUsage::CpuSeconds();
    client.ClientSession().SendLine(std::string("PRIVMSG ") + FloodLines::kChannel + " :ready");
    const std::string &serverOutput = client.ServerOutput();
    if (!WaitUntil([&] { return serverOutput.find("elapsed") != std::string::npos; }, 600000)) {
        std::fprintf(stderr, "the flood did not end\n");
        return 1;
    }
    const double cpu = ProcessUsage::CpuSeconds() - cpuBefore;
    census.Stop();
    const long long micros = std::atoll(serverOutput.c_str() + serverOutput.find("elapsed") + 8);
    const double seconds = micros / 1e6;
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
    BenchClient client;
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
        return Serve(argc, argv, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
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
