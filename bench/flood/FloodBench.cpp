// The flood benchmark. Without arguments it runs one client process per
// flood size (20 000 and 100 000 lines, or the sizes given) and prints a
// table. "--client N": one measured client; "--serve N": the server child.
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
#include <QDeadlineTimer>
#include <QEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/time.h>

#include <ctime>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "BenchShell.h"
#include "FloodLines.h"
#include "FloodServer.h"
#include "ProcessUsage.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/DispatchHandlers.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "windows/ChannelFrame.h"
#include "view/ChannelList.h"

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

bool WaitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake;
    wake.start(10);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

int Serve(int argc, char **argv, int lines)
{
    QCoreApplication app(argc, argv);
    FloodServer server(lines);
    if (!server.Listen())
        return 1;
    return app.exec();
}

int Client(int argc, char **argv, int lines)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir configDir;
    SetConfigDirectory(configDir.path().toStdString());
    WriteString(kBaseSection, "Nick", "me");
    // A user's configuration file was written long before a flood comes.
    const std::string configFile = ConfigFilePath();
    const timeval anHourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    utimes(configFile.c_str(), anHourAgo);

    QProcess server;
    server.start(QCoreApplication::applicationFilePath(), {"--serve", QString::number(lines)});
    std::string serverOutput;
    auto readServer = [&] { serverOutput += server.readAllStandardOutput().toStdString(); };
    QObject::connect(&server, &QProcess::readyReadStandardOutput, readServer);
    if (!WaitUntil([&] { return serverOutput.find('\n') != std::string::npos; }, 10000)) {
        std::fprintf(stderr, "the server did not start\n");
        return 1;
    }
    const unsigned port = static_cast<unsigned>(std::atoi(serverOutput.c_str() + 5));

    // The application hands its contact-nick list (empty here) to the dispatch.
    Dispatch::SetContactNicks({});
    BenchShell shell(!qEnvironmentVariableIsSet("BRIMO_FLOOD_HIDDEN"));
    SessionTable table(&shell);
    Session *session = table.CreateSession("127.0.0.1", port, "");
    Conversation *channel = nullptr;
    const bool joined = WaitUntil(
        [&] {
            channel = session->FindWindow(FloodLines::kChannel);
            return channel && channel->Nicks().NickCount() >= FloodLines::kMembers;
        },
        20000);
    if (!joined) {
        std::fprintf(stderr, "the session did not join the channel\n");
        return 1;
    }
    WaitUntil([] { return false; }, 200); // let the window settle and paint

    PaintCensus census;
    const bool countPaints = qEnvironmentVariableIsSet("BRIMO_FLOOD_PAINTS");
    if (countPaints) {
        app.installEventFilter(&census);
        census.Start();
    }
    const double cpuBefore = ProcessUsage::CpuSeconds();
    session->SendLine(std::string("PRIVMSG ") + FloodLines::kChannel + " :ready");
    if (!WaitUntil([&] { return serverOutput.find("elapsed") != std::string::npos; }, 600000)) {
        std::fprintf(stderr, "the flood did not end\n");
        return 1;
    }
    const double cpu = ProcessUsage::CpuSeconds() - cpuBefore;
    census.Stop();
    const long long micros = std::atoll(serverOutput.c_str() + serverOutput.find("elapsed") + 8);
    const double seconds = micros / 1e6;
    const CChannelFrame *frame = shell.Frame(FloodLines::kChannel);
    const CChannelList *view = frame ? frame->TextView() : nullptr;
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
    server.waitForFinished(5000);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == "--serve")
        return Serve(argc, argv, std::atoi(argv[2]));
    if (argc == 3 && std::string(argv[1]) == "--client")
        return Client(argc, argv, std::atoi(argv[2]));

    QCoreApplication app(argc, argv);
    QStringList sizes;
    for (int i = 1; i < argc; ++i)
        sizes << argv[i];
    if (sizes.isEmpty())
        sizes << "20000" << "100000";
    int failures = 0;
    for (const QString &size : sizes) {
        QProcess client;
        client.setProcessChannelMode(QProcess::ForwardedChannels);
        client.start(QCoreApplication::applicationFilePath(), {"--client", size});
        client.waitForFinished(-1);
        failures += client.exitCode() != 0;
    }
    return failures;
}
