// Prints a realistic channel mix into visible conversation views and reports
// how many lines a second the view takes and the peak memory of the process.
//
//   bench_view [--lines N] [--windows W] [--fill-windows W] [--shot file.png]
//
// Phase 1 (throughput): N lines through CChannelList::WriteLine into one
// visible view with time stamps, smileys and auto-scroll, pumping events
// between lines as the receive path does, and clearing the view at the
// default "Max Text Size" of 1000000 bytes as the window's Print does.
// Phase 2 (memory): W views, each filled up to that size.

#include "windows/ChannelList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QThread>

#include <sys/resource.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr int64_t kMaxTextSize = 1000000;

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long PeakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string Lower(std::string_view text)
{
    std::string lowered(text);
    for (char &c : lowered)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

// Nicks compare without regard to case; the look-up allocates nothing, as a
// nick list's own look-up should not.
struct CaseInsensitiveHash
{
    using is_transparent = void;
    size_t operator()(std::string_view text) const
    {
        size_t hash = 1469598103934665603ull;
        for (char c : text)
            hash = (hash ^ size_t(static_cast<unsigned char>(AsciiLower(c)))) * 1099511628211ull;
        return hash;
    }
};

struct CaseInsensitiveEqual
{
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const
    {
        return a.size() == b.size()
            && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
    }
};

struct Channel
{
    std::vector<std::string> nicks;
    std::unordered_set<std::string, CaseInsensitiveHash, CaseInsensitiveEqual> lowered;
};

Channel MakeChannel(std::mt19937 &random)
{
    static const char *syllables[] = {"ka", "to", "mi", "ro", "la", "ne", "zu", "pe", "vi", "do", "sa", "ri"};
    Channel channel;
    while (channel.nicks.size() < 500) {
        std::string nick;
        const int parts = 2 + int(random() % 3);
        for (int i = 0; i < parts; ++i)
            nick += syllables[random() % 12];
        if (random() % 4 == 0)
            nick += std::to_string(random() % 100);
        if (channel.lowered.insert(Lower(nick)).second)
            channel.nicks.push_back(nick);
    }
    return channel;
}

struct Line
{
    std::string text;
    TextClass textClass;
};

// A mix like a busy channel: talk with nicks, colours, bold, addresses and
// smileys, and joins, parts and mode changes.
std::vector<Line> MakeMix(const Channel &channel, std::mt19937 &random)
{
    static const char *words[] = {"ahoj", "dnes", "je", "pekny", "den", "a", "co", "robis", "ja", "nic", "len",
                                  "tak", "sedim", "pri", "kompe", "server", "lagol", "zase", "mas", "pravdu",
                                  "uvidime", "zajtra", "vecer", "hra", "film", "kanal", "link", "pozri"};
    static const char *smileys[] = {":)", ";)", ":D", ":(", ":-)", ":o", "8)", ":P"};
    std::vector<Line> mix;
    const auto nick = [&] { return channel.nicks[random() % channel.nicks.size()]; };
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
                    text += "\x03" + std::to_string(random() % 16) + "," + std::to_string(random() % 16) + "farba\x03";
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

FormatContext MakeContext(const Channel &channel, const std::string &smileyFolder)
{
    FormatContext context;
    context.m_decoration.m_ownNick = channel.nicks[0];
    context.m_decoration.m_smileyFolder = smileyFolder;
    const Channel *members = &channel;
    context.m_decoration.m_isNickListMember = [members](std::string_view nick) {
        return members->lowered.find(nick) != members->lowered.end();
    };
    context.m_decoration.m_isContact = [](std::string_view lowered) { return lowered == "kamarat"; };
    return context;
}

// What the window's Print does before it writes a line: warn near the limit
// and clear the view above it.
void PrintLine(CChannelList &view, const Line &line)
{
    if (view.TextSize() > kMaxTextSize) {
        const int64_t size = view.TextSize();
        view.Clear();
        view.Create();
        view.WriteLine("* Okno obsahovalo viac ako " + std::to_string(size) + " Bytov, starý text bol zmazaný",
                       TextClass::High, true);
    } else if (view.TextSize() > kMaxTextSize - 1000) {
        view.WriteLine("* Okno obsahuje príliš veľa textu, bude vyčistené", TextClass::High, true);
    }
    view.WriteLine(line.text, line.textClass, true);
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
    std::string smileyFolder;
    for (const char *relative : {"/smiles", "/../smiles", "/../../smiles"}) {
        const QString folder = QCoreApplication::applicationDirPath() + QLatin1String(relative);
        if (smileyFolder.empty() && QFile::exists(folder + QStringLiteral("/1.gif")))
            smileyFolder = QDir(folder).absolutePath().toStdString();
    }
    std::mt19937 random(2024);
    const Channel channel = MakeChannel(random);
    const std::vector<Line> mix = MakeMix(channel, random);
    const long baseline = PeakKilobytes();

    CChannelList view;
    view.SetFormatContext(MakeContext(channel, smileyFolder));
    view.resize(800, 500);
    view.Create();
    view.show();
    app.processEvents();

    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = CpuSeconds();
    for (long i = 0; i < lines; ++i) {
        PrintLine(view, mix[size_t(i) % mix.size()]);
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("throughput: %ld lines in %.3f s = %.0f lines/s (one visible view, pumping events per line)\n", lines,
                seconds, double(lines) / seconds);
    std::printf("            %.3f s of processor time = %.0f lines per processor second\n", cpu, double(lines) / cpu);
    std::printf("peak memory after phase 1: %.1f MB (process baseline before views %.1f MB)\n",
                double(PeakKilobytes()) / 1024, double(baseline) / 1024);
    if (shot) {
        QThread::msleep(20);
        app.processEvents();
        view.grab().save(QString::fromLocal8Bit(shot));
        std::printf("screenshot written to %s\n", shot);
    }
    view.Clear();

    // Like the main window with its conversation windows: one window on
    // screen holding all the views.
    QWidget mainWindow;
    mainWindow.resize(800, 500);
    mainWindow.show();
    std::vector<CChannelList *> views;
    long written = 0;
    for (int w = 0; w < windows; ++w) {
        auto *full = new CChannelList(&mainWindow);
        full->SetFormatContext(MakeContext(channel, smileyFolder));
        full->setGeometry(0, 0, 800, 500);
        full->Create();
        full->show();
        full->raise();
        while (full->TextSize() < kMaxTextSize - 1000) {
            full->WriteLine(mix[size_t(written++) % mix.size()].text, TextClass::Text, true);
            QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        }
        views.push_back(full);
    }
    app.processEvents();
    std::printf("memory: %d views in one visible window, each holding %.0f bytes of HTML (%ld lines in all): peak %.1f MB\n",
                windows, double(kMaxTextSize - 1000), written, double(PeakKilobytes()) / 1024);
    return 0;
}
