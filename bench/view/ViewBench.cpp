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
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchOptions.h"
#include "BenchShell.h"
#include "ChannelTalk.h"
#include "ProcessUsage.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "text/TextClass.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

namespace {

constexpr qint64 kPumpIntervalMs = 16;

using ChannelTalk::Line;

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
    // Past its limit a view drops its oldest tenth, so a full window holds
    // at least nine tenths of the limit.
    const int64_t fullSize =
        std::max<int64_t>(shell.Settings().m_maxTextSize, ConversationWindow::kMinMaxTextSize) / 10 * 9;
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
    UseOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    const BenchOptions options(argc, argv);
    const long lines = options.Number("--lines", 300000);
    const int windows = int(options.Number("--windows", 10));
    const char *shot = options.Text("--shot");
    // The windows read and write their placement records: not in the user's files.
    QTemporaryDir configDir;
    SetConfigDirectory(configDir.path().toStdString());
    WriteString(kBaseSection, "Nick", "me");

    std::mt19937 random(2024);
    const std::vector<std::string> members = ChannelTalk::MakeMembers(random);
    const std::vector<Line> mix = ChannelTalk::MakeMix(members, random);
    std::printf("process before any window: peak (VmHWM) %.1f MB\n", ProcessUsage::PeakMegabytes());

    BenchShell shell;
    QCoreApplication::processEvents();
    if (lines > 0)
        Throughput(shell, members, mix, lines, shot);
    if (windows > 0)
        Memory(shell, members, mix, windows);
    return 0;
}
