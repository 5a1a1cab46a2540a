// The direct connection benchmark: one file of 1 GiB (or the MiB given as
// the first argument) sent by the program to WeeChat, then the same size
// sent by WeeChat to the program, over loopback, offers and answers going
// through a real ngircd. The program's side runs with its real windows: a
// visible main window with the channel, the server window and the transfers
// window. For each direction it prints the rate (MB/s, from the connection
// to the last byte acknowledged or received), the resident memory before
// and its lowest and highest value sampled every 100 ms during the
// transfer, and how long lines typed into the channel every 100 ms took to
// appear (the worst and the median).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "BenchShell.h"
#include "BenchWait.h"
#include "ProcessUsage.h"
#include "WeechatPeer.h"
#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "dcc/DirectConnections.h"
#include "input/InputLine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/NgircdServer.h"
#include "transfers/TransfersWindow.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

namespace {

// The benchmark's application with direct connections and a Save As that answers with a path chosen beforehand.
class DccBenchShell : public BenchShell
{
public:
    DccBenchShell() : BenchShell(true) {}
    bool HasDcc() const override { return true; }
    int DccCommand(Session &session, const std::string &window, const std::string &line) override
    {
        return m_dcc->Command(session, window, line);
    }
    bool TakeDccOffer(Session &session, const std::string &body, const std::string &prefix) override
    {
        m_offers.push_back(body);
        return m_dcc->TakeOffer(session, body, prefix);
    }
    bool SendDccChat(WindowConnection &connection, const std::string &text) override
    {
        return m_dcc->SendChat(connection, text);
    }
    std::string SaveFileDialog(const std::string &, const std::string &, const std::string &) override
    {
        return m_saveAs;
    }

    DirectConnections *m_dcc = nullptr;
    std::string m_saveAs;
    std::vector<std::string> m_offers;
};

// Lines typed into the channel's input line every 100 ms: the time from the
// key presses being queued to the line standing in the channel's view.
class TypingProbe : public QObject
{
public:
    explicit TypingProbe(ConversationWindow &channel) : m_channel(channel)
    {
        m_timer.setInterval(100);
        connect(&m_timer, &QTimer::timeout, this, &TypingProbe::Type);
    }
    void Start()
    {
        m_delays.clear();
        m_timer.start();
    }
    void Stop() { m_timer.stop(); }
    // Worst and median delay in milliseconds.
    double Worst() const { return m_delays.empty() ? 0 : *std::max_element(m_delays.begin(), m_delays.end()); }
    double Median() const
    {
        std::vector<double> sorted = m_delays;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[sorted.size() / 2];
    }
    size_t Count() const { return m_delays.size(); }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        // Posted after the keys: handled once they all were.
        if (m_channel.View()->FragmentCount() > m_linesBefore)
            m_delays.push_back(double(m_typed.nsecsElapsed()) / 1e6);
        return true;
    }

private:
    void Type()
    {
        QWidget *input = m_channel.Input();
        m_linesBefore = m_channel.View()->FragmentCount();
        m_typed.start();
        for (const char c : std::string("ok")) {
            QCoreApplication::postEvent(input, new QKeyEvent(QEvent::KeyPress, c, Qt::NoModifier, QString(c)));
            QCoreApplication::postEvent(input, new QKeyEvent(QEvent::KeyRelease, c, Qt::NoModifier, QString(c)));
        }
        QCoreApplication::postEvent(input, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        QCoreApplication::postEvent(input, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }

    ConversationWindow &m_channel;
    QTimer m_timer;
    QElapsedTimer m_typed;
    size_t m_linesBefore = 0;
    std::vector<double> m_delays;
};

struct Result
{
    bool complete = false;
    double seconds = 0;
    double memoryBefore = 0, memoryLow = 1e9, memoryHigh = 0;
    double typedWorst = 0, typedMedian = 0;
    size_t typedLines = 0;
};

// Runs one transfer: start() begins it; its connection is measured from
// the moment it connects to its end.
Result Measure(DirectConnections &dcc, TypingProbe &typing, DirectConnect::Mode mode, uint64_t size,
               const std::function<void()> &start)
{
    Result result;
    result.memoryBefore = ProcessUsage::ResidentMegabytes();
    start();
    // The transfer of this direction that is still going (an ended one of
    // the other may not have been released yet).
    const auto running = [&]() -> DirectConnect * {
        for (DirectConnect *connection : dcc.Connections()) {
            if (connection->GetMode() == mode && !connection->IsClosed())
                return connection;
        }
        return nullptr;
    };
    if (!WaitUntil([&] { return running() != nullptr; }, 30000))
        return result;
    QPointer<DirectConnect> connection = running();
    uint64_t done = 0;
    bool ended = false;
    QElapsedTimer clock;
    QObject::connect(connection, &DirectConnect::Closed, [&] {
        done = connection->GetMode() == DirectConnect::FileSend ? connection->Acknowledged() : connection->Received();
        result.seconds = double(clock.nsecsElapsed()) / 1e9;
        ended = true;
    });
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const double resident = ProcessUsage::ResidentMegabytes();
        result.memoryLow = std::min(result.memoryLow, resident);
        result.memoryHigh = std::max(result.memoryHigh, resident);
    });
    if (!WaitUntil([&] { return ended || (connection && connection->IsConnected()); }, 30000))
        return result;
    clock.start();
    sampler.start(100);
    typing.Start();
    WaitUntil([&] { return ended; }, 600000);
    typing.Stop();
    result.complete = ended && done == size;
    result.typedWorst = typing.Worst();
    result.typedMedian = typing.Median();
    result.typedLines = typing.Count();
    return result;
}

bool WriteBenchFile(const std::string &path, uint64_t size)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    std::string block(1024 * 1024, '\0');
    uint64_t seed = 88172645463325252ull;
    for (char &c : block) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        c = static_cast<char>(seed);
    }
    for (uint64_t written = 0; written < size; written += block.size()) {
        block[0] = static_cast<char>(written >> 20); // no two blocks alike
        if (file.write(block.data(), qint64(std::min<uint64_t>(block.size(), size - written))) < 0)
            return false;
    }
    return true;
}

void Report(const char *direction, const Result &r, uint64_t size)
{
    std::printf("%-22s %8s %9.0f %10.0f %10.0f %10.0f %12.1f %12.1f %6zu\n", direction,
                r.complete ? "complete" : "FAILED", r.seconds > 0 ? double(size) / 1e6 / r.seconds : 0.0,
                r.memoryBefore, r.memoryLow, r.memoryHigh, r.typedMedian, r.typedWorst, r.typedLines);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const uint64_t bytes = (argc > 1 ? uint64_t(std::atoi(argv[1])) : 1024ull) * 1024 * 1024;
    if (!NgircdServer::IsAvailable() || !WeechatPeer::IsAvailable()) {
        std::fprintf(stderr, "bench_dcc needs ngircd and weechat-headless\n");
        return 1;
    }
    QTemporaryDir config, files;
    SetConfigDirectory(config.path().toStdString());
    WriteString(kBaseSection, "Nick", "brimo");
    const std::string source = files.filePath("bench.bin").toStdString();
    if (!WriteBenchFile(source, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", source.c_str());
        return 1;
    }

    NgircdServer ircd;
    if (!ircd.Start()) {
        std::fprintf(stderr, "ngircd did not start: %s\n", ircd.Output().c_str());
        return 1;
    }
    DccBenchShell shell;
    CommandDispatcher commands;
    SessionTable table(&shell, commands);
    DirectConnections dcc(table);
    shell.m_dcc = &dcc;
    // As the program shows them: every transfer in the transfers window.
    TransfersWindow transfers(dcc);
    transfers.show();
    Session *session = table.CreateSession("127.0.0.1", ircd.Port(), "");
    if (!WaitUntil([&] { return session->IsConnected() && !session->IsConnecting(); }, 15000))
        return 1;
    session->Command("", 0, "/join #bench");
    WeechatPeer weechat;
    if (!weechat.Start(ircd.Port(), "#bench")
        || !WaitUntil(
            [&] {
                Conversation *channel = session->FindWindow("#bench");
                return channel && channel->Nicks().FindNick("wpeer");
            },
            30000)) {
        std::fprintf(stderr, "WeeChat did not join: %s\n", weechat.Log().c_str());
        return 1;
    }
    TypingProbe typing(*shell.Frame("#bench"));

    std::printf("%.0f MiB each way over loopback, Brimo and WeeChat %s\n", double(bytes) / 1048576.0,
                "(weechat-headless)");
    std::printf("%-22s %8s %9s %10s %10s %10s %12s %12s %6s\n", "direction", "result", "MB/s", "RSS before", "RSS low",
                "RSS high", "typed med ms", "typed max ms", "lines");
    const Result sent = Measure(dcc, typing, DirectConnect::FileSend, bytes,
                                [&] { session->Command(session->Key(), 0, "/dcc send send wpeer " + source); });
    Report("Brimo -> WeeChat", sent, bytes);

    shell.m_saveAs = files.filePath("received.bin").toStdString();
    const Result received = Measure(dcc, typing, DirectConnect::FileReceive, bytes, [&] {
        const size_t offers = shell.m_offers.size();
        weechat.Run("irc.server.t", "/dcc send brimo " + source);
        if (!WaitUntil([&] { return shell.m_offers.size() > offers; }, 30000)) {
            std::fprintf(stderr, "WeeChat made no offer: %s\n", weechat.Log().c_str());
            return;
        }
        static const std::regex words("DCC SEND (\\S+) (\\d+) (\\d+) (\\d+)");
        std::smatch match;
        const std::string offer = shell.m_offers.back();
        if (std::regex_search(offer, match, words))
            session->Command(session->Key(), 0,
                             "/dcc send receive 127.0.0.1 " + match[3].str() + " " + match[4].str() + " "
                                 + match[1].str());
    });
    Report("WeeChat -> Brimo", received, bytes);
    QFile::remove(QString::fromStdString(source));
    return sent.complete && received.complete ? 0 : 1;
}
