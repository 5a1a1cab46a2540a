// The channel search benchmark. Without arguments it runs one client process
// for a LIST of 50 000 channels (or the counts given) and prints a line each.
// "--client N": one measured client; "--serve N": the server child.
//
// The client is the whole application (BrimoApp with its main window shown,
// offscreen platform) connected to the server child on 127.0.0.1, with the
// channel search window open. Measured:
// - intake: from sending LIST until the window shows every channel and the
//   list has ended, and once more into the list sorted by a column;
// - typing: meanwhile a key is typed into the status window's input line
//   every 20 ms; the longest and the mean time until the line holds it;
// - sorting: one click on each column's header, and the filter text "kn"
//   typed at once, each with the repaint that follows;
// - the client's peak resident memory.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "BenchWait.h"
#include "ListServer.h"
#include "MeasuredChild.h"
#include "ProcessUsage.h"
#include "ServerChild.h"
#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "config/Config.h"
#include "input/InputLine.h"
#include "search/SearchBar.h"
#include "search/ChannelSearchWindow.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "windows/ConversationWindow.h"

namespace {

int Serve(int argc, char **argv, int channels)
{
    QCoreApplication app(argc, argv);
    ListServer server(channels);
    if (!server.Listen())
        return 1;
    return app.exec();
}

qint64 ThreadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Types a key into an input line every 20 ms and notes how long each took
// to arrive in the line's text.
class TypingProbe
{
public:
    explicit TypingProbe(InputLine *input) : m_input(input)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Type(); });
        QObject::connect(m_input, &QTextEdit::textChanged, [this] { Arrived(); });
    }
    void Start() { m_timer.start(20); }
    void Stop() { m_timer.stop(); }
    double LongestMs() const { return m_longest / 1e6; }
    // The processor time the program's thread had during the longest wait:
    // far less than the wait itself means the machine was busy elsewhere.
    double LongestCpuMs() const { return m_longestCpu / 1e6; }
    double MeanMs() const { return m_count ? m_total / 1e6 / m_count : 0; }
    int Count() const { return m_count; }

private:
    void Type()
    {
        if (m_waiting)
            return; // one key at a time: the latency of each is known
        m_waiting = true;
        m_typed.start();
        m_cpuAtTyping = ThreadCpuNanoseconds();
        QCoreApplication::postEvent(m_input, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        QCoreApplication::postEvent(m_input, new QKeyEvent(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, "x"));
    }
    void Arrived()
    {
        if (!m_waiting)
            return;
        m_waiting = false;
        const qint64 nanos = m_typed.nsecsElapsed();
        if (nanos > m_longest)
            m_longestCpu = ThreadCpuNanoseconds() - m_cpuAtTyping;
        m_longest = std::max(m_longest, nanos);
        m_total += static_cast<double>(nanos);
        ++m_count;
    }

    InputLine *m_input;
    QTimer m_timer;
    QElapsedTimer m_typed;
    bool m_waiting = false;
    qint64 m_longest = 0;
    qint64 m_cpuAtTyping = 0;
    qint64 m_longestCpu = 0;
    double m_total = 0;
    int m_count = 0;
};

ConversationWindow *StatusFrame(BrimoApp &brimo)
{
    for (QMdiSubWindow *child : brimo.MainFrame()->Children()) {
        if (auto *frame = qobject_cast<ConversationWindow *>(child->widget()))
            return frame;
    }
    return nullptr;
}

// The work and the repaint of what it changed.
double MillisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
}

// From sending LIST until the window shows every channel and the list has
// ended; -1 when it does not come.
double IntakeMilliseconds(Session &session, const ChannelSearchWindow &search, int channels)
{
    int lists = 0; // the list that comes begins with an empty window
    const QMetaObject::Connection begun =
        QObject::connect(search.ListView()->model(), &QAbstractItemModel::modelReset, [&] { ++lists; });
    QElapsedTimer clock;
    clock.start();
    session.SendLine("LIST");
    QTimer wake; // notices the end within a millisecond
    wake.start(1);
    const bool taken =
        WaitUntil([&] { return lists > 0 && search.TotalCount() == channels && !search.IsRunning(); }, 120000);
    QObject::disconnect(begun);
    if (!taken) {
        std::fprintf(stderr, "the list did not arrive (%d channels)\n", search.TotalCount());
        return -1;
    }
    return clock.nsecsElapsed() / 1e6;
}

int Client(int argc, char **argv, int channels)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SetConfigDirectory(dir.path().toStdString());

    ServerChild server;
    const unsigned port = server.Start({"--serve", QString::number(channels)});
    if (port == 0)
        return 1;
    WriteString(kBaseSection, "Nick", "hladac");
    WriteString("Servers", "Bench", "127.0.0.1 " + std::to_string(port) + " 1");

    QSettings bars(dir.filePath(QStringLiteral("bars.ini")), QSettings::IniFormat);
    BrimoApp brimo;
    brimo.SetBarStateStore(&bars);
    if (brimo.Start({QStringLiteral("brimo")}) != BrimoApp::Started || brimo.Sessions().Count() != 1) {
        std::fprintf(stderr, "the application did not start\n");
        return 1;
    }
    Session *session = brimo.Sessions().Sessions().front();
    if (!WaitUntil([&] { return session->IsConnected() && !session->RegisteredNick().empty(); }, 10000)) {
        std::fprintf(stderr, "the session did not register\n");
        return 1;
    }
    ConversationWindow *status = StatusFrame(brimo);
    session->Command(session->Key(), 0, "/search");
    ChannelSearchWindow *search = brimo.SearchWindow(session->Key());
    if (!status || !search) {
        std::fprintf(stderr, "the windows did not open\n");
        return 1;
    }
    WaitUntil([] { return false; }, 300); // the windows settle and paint

    TypingProbe typing(status->Input());
    typing.Start();
    const double intake = IntakeMilliseconds(*session, *search, channels);
    typing.Stop();
    if (intake < 0)
        return 1;

    double sorts[3];
    for (int column = 0; column < 3; ++column)
        sorts[column] = MillisecondsOf([&] { search->SortBy(column); });
    const double filter = MillisecondsOf([&] { search->Bar()->FilterEdit()->setText(QStringLiteral("kn")); });
    const int shown = search->FoundCount();
    search->Bar()->FilterEdit()->clear();
    // Again, into the list sorted by topic: every batch goes to its place.
    const double sortedIntake = IntakeMilliseconds(*session, *search, channels);

    std::printf("%6d channels  intake %7.1f ms (sorted %7.1f ms)  typing: longest %5.1f ms (%4.1f ms CPU), mean %4.1f "
                "ms (%d keys)\n"
                "                sort: channel %5.1f ms, users %5.1f ms, topic %5.1f ms  filter %5.1f ms (%d shown)  "
                "peak %6.1f MB\n",
                channels, intake, sortedIntake, typing.LongestMs(), typing.LongestCpuMs(), typing.MeanMs(),
                typing.Count(), sorts[0], sorts[1], sorts[2], filter, shown, ProcessUsage::PeakMegabytes());
    std::fflush(stdout);
    brimo.Exit();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 3 && mode == "--serve")
        return Serve(argc, argv, std::atoi(argv[2]));
    if (argc == 3 && mode == "--client")
        return Client(argc, argv, std::atoi(argv[2]));

    QCoreApplication app(argc, argv);
    QStringList counts;
    for (int i = 1; i < argc; ++i)
        counts << argv[i];
    if (counts.isEmpty())
        counts << "50000";
    int failures = 0;
    for (const QString &count : counts)
        failures += RunMeasuredChild({"--client", count}) != 0;
    return failures;
}
