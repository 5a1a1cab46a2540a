// Prints a realistic channel mix through the program's own conversation
// windows and reports how many lines a second a window takes and the peak
// memory of the process.
//
//   bench_view [--lines N] [--windows W] [--shot file.png]
//
// The windows are real ConversationWindows of channel conversations with 500
// members, opened by the shell into a visible MDI main window (offscreen
// platform), with time stamps, smileys and auto-scroll on. Every line goes
// through Conversation::Print, as the receive path prints it, and events
// are pumped once a frame (16 ms) between lines, as the receive path does.
// The window itself clears its text at "Max Text Size".
// Phase 1 (throughput): N lines into one window.
// Phase 2 (memory): W windows, each filled up to "Max Text Size".

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchShell.h"
#include "ProcessUsage.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "text/TextClass.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

namespace {

constexpr int kMembers = 500;
constexpr qint64 kPumpIntervalMs = 16;

struct Line
{
    std::string text;
    TextClass textClass;
};

// Lets the user interface paint and take input once a frame, not once a
// line, as a session does while it dispatches a burst of lines.
class FramePump
{
public:
    void PumpWhenDue()
    {
        if (m_lastPump.isValid() && m_lastPump.elapsed() < kPumpIntervalMs)
            return;
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        m_lastPump.start();
    }

private:
    QElapsedTimer m_lastPump;
};

// 500 distinct nicks (distinct without regard to case, as the nick list
// compares them), some of them operators or voiced.
std::vector<std::string> MakeMembers(std::mt19937 &random)
{
    static const char *syllables[] = {"ka", "to", "mi", "ro", "la", "ne", "zu", "pe", "vi", "do", "sa", "ri"};
    NickList unique;
    std::vector<std::string> members;
    while (members.size() < kMembers) {
        std::string nick;
        const int parts = 2 + int(random() % 3);
        for (int i = 0; i < parts; ++i)
            nick += syllables[random() % 12];
        if (random() % 4 == 0)
            nick += std::to_string(random() % 100);
        if (unique.AddNick(nick) < 0)
            continue;
        const unsigned status = random() % 10;
        members.push_back(status == 0 ? "@" + nick : status == 1 ? "+" + nick : nick);
    }
    return members;
}

std::string Bare(const std::string &member)
{
    return member[0] == '@' || member[0] == '+' ? member.substr(1) : member;
}

// A mix like a busy channel: talk with nicks, colours, bold, addresses and
// smileys, and joins, parts and mode changes.
std::vector<Line> MakeMix(const std::vector<std::string> &members, std::mt19937 &random)
{
    static const char *words[] = {"ahoj",   "dnes",   "je",    "pekny", "den",   "a",      "co",
                                  "robis",  "ja",     "nic",   "len",   "tak",   "sedim",  "pri",
                                  "kompe",  "server", "lagol", "zase",  "mas",   "pravdu", "uvidime",
                                  "zajtra", "vecer",  "hra",   "film",  "kanal", "link",   "pozri"};
    static const char *smileys[] = {":)", ";)", ":D", ":(", ":-)", ":o", "8)", ":P"};
    std::vector<Line> mix;
    const auto nick = [&] { return Bare(members[random() % members.size()]); };
    for (int i = 0; i < 2000; ++i) {
        std::string text;
        TextClass textClass = TextClass::Text;
        const int kind = int(random() % 20);
        if (kind < 2) {
            text = "* Teraz tu je aj " + nick() + " (user@host" + std::to_string(i) + ".example.sk)";
            textClass = TextClass::Info;
        } else if (kind == 2) {
            text = "* Od teraz tu nieje " + nick();
            textClass = TextClass::Info;
        } else if (kind == 3) {
            text = "* Nový mód +o " + nick() + " od " + nick();
            textClass = TextClass::Info;
        } else {
            text = nick() + ": ";
            const int length = 4 + int(random() % 14);
            for (int w = 0; w < length; ++w) {
                const int pick = int(random() % 30);
                if (pick == 0)
                    text += nick();
                else if (pick == 1)
                    text.append("\x03")
                        .append(std::to_string(random() % 16))
                        .append(",")
                        .append(std::to_string(random() % 16))
                        .append("farba\x03");
                else if (pick == 2)
                    text += "\x02tucne\x02";
                else if (pick == 3)
                    text += "http://www.example.sk/stranka" + std::to_string(random() % 1000);
                else if (pick == 4)
                    text += smileys[random() % 8];
                else if (pick == 5)
                    text += "#brimo";
                else
                    text += words[random() % 28];
                text += ' ';
            }
            text.pop_back();
        }
        mix.push_back({text, textClass});
    }
    return mix;
}

// A channel conversation with its members, shown in a window of the shell.
std::unique_ptr<Conversation> OpenChannel(BenchShell &shell, const std::string &name,
                                          const std::vector<std::string> &members, ConversationWindow *&frame)
{
    auto conversation =
        std::make_unique<Conversation>(nullptr, name, Conversation::KindChannel, Conversation::TypeChannel);
    for (const std::string &member : members)
        conversation->Nicks().AddNick(member);
    shell.CreateView(*conversation);
    conversation->NickListChanged();
    frame = shell.Frame(name);
    if (frame) {
        frame->SetTimeStamps(true);
        frame->SetSmileys(true);
        frame->SetAutoScroll(true);
    }
    QCoreApplication::processEvents();
    return conversation;
}

void Throughput(BenchShell &shell, const std::vector<std::string> &members, const std::vector<Line> &mix, long lines,
                const char *shot)
{
    ConversationWindow *frame = nullptr;
    std::unique_ptr<Conversation> conversation = OpenChannel(shell, "#bench", members, frame);
    if (!frame) {
        std::fprintf(stderr, "the channel window did not open\n");
        std::exit(1);
    }
    FramePump pump;
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = ProcessUsage::CpuSeconds();
    for (long i = 0; i < lines; ++i) {
        const Line &line = mix[size_t(i) % mix.size()];
        conversation->Print(line.text, line.textClass, 0);
        pump.PumpWhenDue();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = ProcessUsage::CpuSeconds() - cpuBefore;
    const TextView *view = frame->View();
    std::printf("throughput: %ld lines in %.3f s = %.0f lines/s (one visible channel window, events pumped every "
                "%lld ms)\n",
                lines, seconds, double(lines) / seconds, static_cast<long long>(kPumpIntervalMs));
    std::printf("            %.3f s of processor time = %.0f lines per processor second; the view holds %d lines, "
                "%lld bytes\n",
                cpu, double(lines) / cpu, view->LineCount(), static_cast<long long>(view->TextSize()));
    std::printf("peak memory (VmHWM) after phase 1: %.1f MB\n", ProcessUsage::PeakMegabytes());
    if (shot) {
        QCoreApplication::processEvents();
        frame->grab().save(QString::fromLocal8Bit(shot));
        std::printf("screenshot written to %s\n", shot);
    }
    conversation.reset(); // closes its window
    QCoreApplication::processEvents();
}

void Memory(BenchShell &shell, const std::vector<std::string> &members, const std::vector<Line> &mix, int windows)
{
    const int64_t fullSize =
        std::max<int64_t>(shell.Settings().m_maxTextSize, ConversationWindow::kMinMaxTextSize) - ConversationWindow::kWarningBand;
    std::vector<std::unique_ptr<Conversation>> conversations;
    FramePump pump;
    long written = 0;
    for (int w = 0; w < windows; ++w) {
        ConversationWindow *frame = nullptr;
        conversations.push_back(OpenChannel(shell, "#bench" + std::to_string(w), members, frame));
        if (!frame) {
            std::fprintf(stderr, "channel window %d did not open\n", w);
            std::exit(1);
        }
        while (frame->View()->TextSize() < fullSize) {
            const Line &line = mix[size_t(written++) % mix.size()];
            conversations.back()->Print(line.text, line.textClass, 0);
            pump.PumpWhenDue();
        }
    }
    QCoreApplication::processEvents();
    std::printf("memory: %d channel windows in one visible main window, each holding %lld bytes of HTML (%ld lines in "
                "all): peak (VmHWM) %.1f MB\n",
                windows, static_cast<long long>(fullSize), written, ProcessUsage::PeakMegabytes());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    long lines = 300000;
    int windows = 10;
    const char *shot = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--lines"))
            lines = std::atol(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--windows"))
            windows = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--shot"))
            shot = argv[i + 1];
    }
    // The windows read and write their placement records: not in the user's files.
    QTemporaryDir configDir;
    SetConfigDirectory(configDir.path().toStdString());
    WriteString(kBaseSection, "Nick", "me");

    std::mt19937 random(2024);
    const std::vector<std::string> members = MakeMembers(random);
    const std::vector<Line> mix = MakeMix(members, random);
    std::printf("process before any window: peak (VmHWM) %.1f MB\n", ProcessUsage::PeakMegabytes());

    BenchShell shell;
    QCoreApplication::processEvents();
    if (lines > 0)
        Throughput(shell, members, mix, lines, shot);
    if (windows > 0)
        Memory(shell, members, mix, windows);
    return 0;
}
