// The last lines of a window's log read back from its day files in a scratch
// folder: across days, past damaged lines, and without reading a large file whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "history/LogTail.h"

namespace {

// 2026-12-07 00:00:00 in the tests' time zone (UTC).
constexpr int64_t kDecember7 = 1796601600;
constexpr int64_t kDay = 86400;

class LogTailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        ASSERT_TRUE(m_dir.isValid());
    }

    std::string Folder() const { return m_dir.path().toStdString(); }
    void Write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(Folder() + "/" + name, std::ios::binary) << bytes;
    }
    // The lines as "<time> <nick|-> <text>", time in seconds from 7 December.
    std::vector<std::string> Tail(int count) const
    {
        std::vector<std::string> shown;
        for (const LoggedLine &line : ReadLogTail(Folder(), count)) {
            const std::string nick = line.entry.kind == LogEntry::Event ? "-" : line.entry.nick;
            shown.push_back(std::to_string(line.time - kDecember7) + " " + nick + " " + line.entry.text);
        }
        return shown;
    }
    // Bytes this process has read from files so far.
    static int64_t BytesRead()
    {
        std::ifstream io("/proc/self/io");
        std::string key;
        int64_t value = 0;
        while (io >> key >> value)
            if (key == "rchar:")
                return value;
        return -1;
    }

    QTemporaryDir m_dir;
};

TEST_F(LogTailTest, TheNewestDaysAreReadBackwardsUntilThereAreEnoughLines)
{
    Write("2026-12-05.log", "10:00:00 <ann> prvá\n11:00:00 <ann> druhá\n12:00:00 -- Teraz tu je aj bob\n");
    Write("2026-12-06.log", "08:00:00 * bob máva\n09:30:15 <bob> ahoj\n");
    Write("2026-12-07.log", "00:00:01 <ann> polnoc\n20:06:23 <bob> večer\n");
    Write("notes.txt", "20:06:24 <eve> nepatrí sem\n");
    Write("2026-12-08.log.bak", "20:06:24 <eve> ani toto\n");

    EXPECT_EQ(Tail(5),
              (std::vector<std::string>{"-129600 - Teraz tu je aj bob", "-57600 bob máva", "-52185 bob ahoj",
                                        "1 ann polnoc", "72383 bob večer"}));
    EXPECT_EQ(Tail(2), (std::vector<std::string>{"1 ann polnoc", "72383 bob večer"}));
    EXPECT_EQ(Tail(100).size(), 7u);
    EXPECT_EQ(Tail(100).front(), "-136800 ann prvá");
    EXPECT_TRUE(Tail(0).empty());
    EXPECT_TRUE(ReadLogTail(Folder() + "/missing", 10).empty());
    EXPECT_TRUE(ReadLogTail("", 10).empty());
}

TEST_F(LogTailTest, DamagedLinesArePassedOverAndForeignBytesMadeReadable)
{
    const std::string nul(1, '\0');
    Write("2026-12-07.log",
          "01:00:00 <ann> pred\n"
          "nič z toho\n"
          "\n"
          "01:00:01 <b\n"                // cut short by a full disk
          "01:00:02 <bob> \x9A\xEDpka\n" // windows-1250: "šípka"
          "01:00:03 <bob> \x02tu\x02\x03"
          "4čer"
              + nul + "ve\n"
              + "01:00:04 * ann máva\r\n"
                "01:00:05 -- koniec bez konca riadku");
    EXPECT_EQ(Tail(10),
              (std::vector<std::string>{"3600 ann pred", "3602 bob šípka", "3603 bob tučer ve", "3604 ann máva",
                                        "3605 - koniec bez konca riadku"}));
}

TEST_F(LogTailTest, ALargeFileIsReadFromItsEndOnly)
{
    std::string lines;
    for (int i = 0; lines.size() < 64 * 1024 * 1024; ++i)
        lines += "12:00:00 <bob> riadok číslo " + std::to_string(i) + " v dlhom zázname\n";
    lines += "23:59:59 <ann> posledný\n";
    Write("2026-12-07.log", lines);

    const int64_t before = BytesRead();
    const std::vector<std::string> tail = Tail(100);
    const int64_t read = BytesRead() - before;
    ASSERT_EQ(tail.size(), 100u);
    EXPECT_EQ(tail.back(), "86399 ann posledný");
    EXPECT_EQ(tail.front().rfind("43200 bob riadok číslo ", 0), 0u) << tail.front();
    EXPECT_LT(read, 100 * kTailBytesPerLine + 64 * 1024);
}

TEST_F(LogTailTest, ALineTooLongToBeALogLineIsPassedOverWithinTheBudget)
{
    const std::string longLine = "02:00:00 <eve> " + std::string(1024 * 1024, 'x') + "\n";
    Write("2026-12-06.log", "23:00:00 <ann> včera\n");
    Write("2026-12-07.log", "01:00:00 <ann> pred\n" + longLine + "03:00:00 <bob> po\n");

    // Five lines may read 20 kB: the long line ends what is found.
    EXPECT_EQ(Tail(5), (std::vector<std::string>{"10800 bob po"}));
    // Three hundred may read past it, into the day before.
    EXPECT_EQ(Tail(300), (std::vector<std::string>{"-3600 ann včera", "3600 ann pred", "10800 bob po"}));
}

} // namespace
