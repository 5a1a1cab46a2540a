// The logs of a session's windows, written into a scratch folder: what goes
// where, when it reaches the disk, and what happens when it cannot.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>

#include "dispatch/DispatchFixture.h"
#include "history/ConversationLog.h"
#include "history/LogWriter.h"

namespace {

// 2026-12-07 20:06:23 in the tests' time zone (UTC).
constexpr int64_t kEvening = 1796673983;
constexpr int64_t kDay = 86400;

class ConversationLogTest : public DispatchFixture
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        DispatchFixture::SetUp();
        ASSERT_TRUE(m_logs.isValid());
        m_log = std::make_unique<ConversationLog>(*m_table);
        m_log->SetClock([this] { return m_now; });
        m_log->Apply({true, Folder()});
        m_table->SetRecorder(m_log.get());
    }

    void TearDown() override
    {
        m_table->SetRecorder(nullptr);
        m_log.reset();
        DispatchFixture::TearDown();
    }

    std::string Folder() const { return m_logs.path().toStdString() + "/logs"; }
    std::string FileOf(const std::string &window, const std::string &day = "2026-12-07") const
    {
        return Folder() + "/127.0.0.1/" + window + "/" + day + ".log";
    }
    static std::string Read(const std::string &path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
    }
    static bool Exists(const std::string &path) { return QFile::exists(QString::fromStdString(path)); }
    Conversation *Private(const std::string &nick)
    {
        return m_session->OpenWindow(nick, Conversation::KindText, Conversation::TypePrivate);
    }
    int StatusLinesContaining(const std::string &part) const
    {
        int count = 0;
        for (const auto &line : ServerView()->Lines())
            count += line.text.find(part) != std::string::npos ? 1 : 0;
        return count;
    }

    QTemporaryDir m_logs;
    int64_t m_now = kEvening;
    std::unique_ptr<ConversationLog> m_log;
};

TEST_F(ConversationLogTest, ChannelAndPrivateLinesGoToTheirFilesAsTheWindowWordsThem)
{
    Channel("#brimo", {"me", "bob"});
    Private("bob");
    Dispatch(":bob!b@h PRIVMSG #brimo :ahoj \x02všetci\x02");
    m_now += 7;
    Dispatch(":bob!b@h PRIVMSG #brimo :\x01"
             "ACTION máva\x01");
    Dispatch(":ann!a@h JOIN #brimo");
    Dispatch(":bob!b@h TOPIC #brimo :nová téma");
    Dispatch(":ann!a@h PART #brimo");
    m_session->Command("#brimo", 0, "/msg #brimo vitaj");
    Dispatch(":bob!b@h PRIVMSG me :len pre teba");
    m_session->PrintTo("", TextClass::Info, "* stav servera");
    m_log->Flush();

    EXPECT_EQ(Read(FileOf("#brimo")),
              "20:06:23 <bob> ahoj všetci\n"
              "20:06:30 * bob máva\n"
              "20:06:30 -- Teraz tu je aj ann\n"
              "20:06:30 -- bob zvolil novú tému: nová téma\n"
              "20:06:30 -- Od teraz tu nieje ann\n"
              "20:06:30 <me> vitaj\n");
    EXPECT_EQ(Read(FileOf("bob")), "20:06:30 <bob> len pre teba\n");
    // The status window is not logged: the network's folder holds the two windows only.
    EXPECT_EQ(QDir(QString::fromStdString(Folder() + "/127.0.0.1")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"#brimo", "bob"}));
}

TEST_F(ConversationLogTest, LinesAreKeptUntilTheSecondPassesOrTheWindowCloses)
{
    Channel("#brimo", {"me", "bob"});
    Dispatch(":bob!b@h PRIVMSG #brimo :prvá");
    EXPECT_FALSE(Exists(FileOf("#brimo")));
    ASSERT_TRUE(m_session->CloseWindow("#brimo"));
    EXPECT_EQ(Read(FileOf("#brimo")), "20:06:23 <bob> prvá\n");

    Private("ann");
    Dispatch(":ann!a@h PRIVMSG me :druhá");
    EXPECT_FALSE(Exists(FileOf("ann")));
    EXPECT_TRUE(WaitFor([&] { return Exists(FileOf("ann")); }, 5000));
    EXPECT_EQ(Read(FileOf("ann")), "20:06:23 <ann> druhá\n");
}

TEST_F(ConversationLogTest, WhatIsKeptIsWrittenWhenTheLogEnds)
{
    Channel("#brimo", {"me", "bob"});
    Dispatch(":bob!b@h PRIVMSG #brimo :posledná");
    m_table->SetRecorder(nullptr);
    m_log.reset();
    EXPECT_EQ(Read(FileOf("#brimo")), "20:06:23 <bob> posledná\n");
}

TEST_F(ConversationLogTest, ANewFileBeginsAtMidnight)
{
    Channel("#brimo", {"me", "bob"});
    m_now = kEvening - kEvening % kDay + kDay - 1; // 23:59:59
    Dispatch(":bob!b@h PRIVMSG #brimo :dobrú noc");
    m_now += 2;
    Dispatch(":bob!b@h PRIVMSG #brimo :dobré ráno");
    // A line the server dated (a bouncer's history) goes to the day of its date.
    m_session->Caps().AddOffered("server-time");
    m_session->Caps().Acknowledge("server-time");
    Dispatch("@time=2026-12-07T12:00:00.000Z :bob!b@h PRIVMSG #brimo :oneskorená");
    m_log->Flush();
    // In its place by time among the day's lines.
    EXPECT_EQ(Read(FileOf("#brimo", "2026-12-07")), "12:00:00 <bob> oneskorená\n23:59:59 <bob> dobrú noc\n");
    EXPECT_EQ(Read(FileOf("#brimo", "2026-12-08")), "00:00:01 <bob> dobré ráno\n");
}

TEST_F(ConversationLogTest, TheDayOfALineFollowsLocalMidnightsOnADayOfTwentyThreeHours)
{
    // Summer time begins in Bratislava on 2026-03-29: that day lasts 23 hours.
    setenv("TZ", "Europe/Bratislava", 1);
    tzset();
    constexpr int64_t kMarch29Midnight = 1774738800; // 2026-03-29 00:00:00 CET
    Channel("#brimo", {"me", "bob"});
    m_now = kMarch29Midnight - 1;
    Dispatch(":bob!b@h PRIVMSG #brimo :pred polnocou");
    for (int64_t later : {int64_t(1), int64_t(23 * 3600 - 1), int64_t(23 * 3600 + 1800)}) {
        m_now = kMarch29Midnight + later;
        Dispatch(":bob!b@h PRIVMSG #brimo :o " + std::to_string(later) + " s");
    }
    m_log->Flush();
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(Read(FileOf("#brimo", "2026-03-28")), "23:59:59 <bob> pred polnocou\n");
    EXPECT_EQ(Read(FileOf("#brimo", "2026-03-29")), "00:00:01 <bob> o 1 s\n23:59:59 <bob> o 82799 s\n");
    EXPECT_EQ(Read(FileOf("#brimo", "2026-03-30")), "00:30:00 <bob> o 84600 s\n");
}

TEST_F(ConversationLogTest, NamesAreFoldedAndMadeSafeForEveryFileSystem)
{
    Channel("#a/../b", {"me", "bob"});
    Private("CON");
    Private("Ťava");
    Dispatch(":bob!b@h PRIVMSG #a/../b :lomka");
    Dispatch(":CON!c@h PRIVMSG me :zariadenie");
    Dispatch(":Ťava!t@h PRIVMSG me :prvá");
    ASSERT_TRUE(m_session->RenameWindow("ťava", "ŤAVA"));
    Dispatch(":ŤAVA!t@h PRIVMSG me :druhá");
    m_log->Flush();
    EXPECT_EQ(Read(FileOf("#a%2F..%2Fb")), "20:06:23 <bob> lomka\n");
    EXPECT_EQ(Read(FileOf("%63on")), "20:06:23 <CON> zariadenie\n");
    EXPECT_EQ(Read(FileOf("ťava")), "20:06:23 <Ťava> prvá\n20:06:23 <ŤAVA> druhá\n");
}

TEST_F(ConversationLogTest, FoldersAndFilesAreTheOwnersOnly)
{
    Channel("#brimo", {"me", "bob"});
    Dispatch(":bob!b@h PRIVMSG #brimo :súkromie");
    m_log->Flush();
    struct stat info
    {};
    for (const std::string &folder : {Folder(), Folder() + "/127.0.0.1", Folder() + "/127.0.0.1/#brimo"}) {
        ASSERT_EQ(stat(folder.c_str(), &info), 0) << folder;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }
    ASSERT_EQ(stat(FileOf("#brimo").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(ConversationLogTest, LogOffStopsTheWindowsLogAndLogOnResumesIt)
{
    Channel("#brimo", {"me", "bob"});
    Channel("#iné", {"me", "bob"});
    Dispatch(":bob!b@h PRIVMSG #brimo :pred");
    EXPECT_EQ(m_session->Command("#brimo", 0, "/log off"), 1);
    EXPECT_EQ(LastText("#brimo"), "* Rozhovor v tomto okne sa nezaznamenáva");
    Dispatch(":bob!b@h PRIVMSG #brimo :tajné");
    Dispatch(":bob!b@h PRIVMSG #iné :verejné");
    EXPECT_EQ(m_session->Command("#brimo", 0, "/log"), 1);
    EXPECT_EQ(LastText("#brimo"), "* Rozhovor v tomto okne sa nezaznamenáva");
    EXPECT_EQ(m_session->Command("#brimo", 0, "/log ON"), 1);
    Dispatch(":bob!b@h PRIVMSG #brimo :po");
    m_log->Flush();
    EXPECT_EQ(Read(FileOf("#brimo")),
              "20:06:23 <bob> pred\n"
              "20:06:23 -- Rozhovor v tomto okne sa zaznamenáva\n"
              "20:06:23 <bob> po\n");
    EXPECT_EQ(Read(FileOf("#iné")), "20:06:23 <bob> verejné\n");
    // The status window has no log to switch, and the word must be on or off.
    EXPECT_EQ(m_session->Command(m_session->Key(), 0, "/log on"), 0);
    EXPECT_EQ(m_session->Command("#brimo", 0, "/log maybe"), 0);
}

TEST_F(ConversationLogTest, AServerEntryOrTheSettingsSwitchLoggingOff)
{
    Channel("#brimo", {"me", "bob"});
    ASSERT_TRUE(WriteBool("Logging Off", "127.0.0.1", true));
    m_log->Apply({true, Folder()});
    Dispatch(":bob!b@h PRIVMSG #brimo :nie na tomto serveri");
    ASSERT_TRUE(WriteString("Logging Off", "127.0.0.1"));
    m_log->Apply({false, Folder()});
    Dispatch(":bob!b@h PRIVMSG #brimo :nikde");
    m_log->Apply({true, Folder()});
    Dispatch(":bob!b@h PRIVMSG #brimo :znova");
    m_log->Flush();
    EXPECT_EQ(Read(FileOf("#brimo")), "20:06:23 <bob> znova\n");
}

TEST_F(ConversationLogTest, AFolderThatCannotBeWrittenIsSaidOnceAndChattingGoesOn)
{
    QFile blocker(m_logs.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_log->Apply({true, m_logs.path().toStdString() + "/file/logs"});
    Channel("#brimo", {"me", "bob"});
    Dispatch(":bob!b@h PRIVMSG #brimo :prvá");
    m_log->Flush();
    EXPECT_TRUE(m_log->IsPaused());
    Dispatch(":bob!b@h PRIVMSG #brimo :druhá");
    m_now += 61;
    Dispatch(":bob!b@h PRIVMSG #brimo :tretia");
    m_log->Flush();
    EXPECT_EQ(StatusLinesContaining("zaznamenávanie je pozastavené"), 1);
    EXPECT_EQ(StatusLinesContaining("/file/logs/127.0.0.1/#brimo/2026-12-07.log"), 1);
    EXPECT_EQ(LastText("#brimo"), "bob: tretia");
    EXPECT_EQ(View("#brimo")->Lines().size(), 3u);
}

TEST_F(ConversationLogTest, AWindowsLastLinesAreReadBackWithWhatIsStillKept)
{
    Channel("#brimo", {"me", "bob"});
    Dispatch(":bob!b@h PRIVMSG #brimo :prvá");
    m_log->Flush();
    m_now += 5;
    Dispatch(":bob!b@h PRIVMSG #brimo :\x01"
             "ACTION máva\x01");
    Dispatch(":ann!a@h JOIN #brimo");

    const std::vector<LoggedLine> lines = m_log->LastLines(*m_session->FindWindow("#brimo"), 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].entry.kind, LogEntry::Action);
    EXPECT_EQ(lines[0].entry.nick, "bob");
    EXPECT_EQ(lines[0].entry.text, "máva");
    EXPECT_EQ(lines[0].time, kEvening + 5);
    EXPECT_EQ(lines[1].entry.text, "Teraz tu je aj ann");
    EXPECT_EQ(m_log->LastLines(*m_session->FindWindow("#brimo"), 10).size(), 3u);
    // The status window keeps no log.
    EXPECT_TRUE(m_log->LastLines(*m_session->ServerWindow(), 10).empty());
}

// The file-size limit of the process stands in for a full disk: a write past
// it fails with EFBIG (SIGXFSZ ignored) as one on a full disk fails with ENOSPC.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { Lift(); }
    void Lift()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(ConversationLogTest, AFullDiskPausesLoggingSaidOnceAndLoggingResumesLater)
{
    Channel("#brimo", {"me", "bob"});
    {
        FileSizeLimit limit(60);
        for (int i = 0; i < 5; ++i)
            Dispatch(":bob!b@h PRIVMSG #brimo :riadok, ktorý sa už nezmestí " + std::to_string(i));
        m_log->Flush();
        EXPECT_TRUE(m_log->IsPaused());
        m_now += 61;
        Dispatch(":bob!b@h PRIVMSG #brimo :stále plný disk");
        m_log->Flush();
        EXPECT_TRUE(m_log->IsPaused());
    }
    EXPECT_EQ(StatusLinesContaining("zaznamenávanie je pozastavené"), 1);
    EXPECT_EQ(View("#brimo")->Lines().size(), 6u);

    Dispatch(":bob!b@h PRIVMSG #brimo :počas prestávky");
    m_now += 61;
    Dispatch(":bob!b@h PRIVMSG #brimo :miesto je");
    m_log->Flush();
    EXPECT_FALSE(m_log->IsPaused());
    const std::string written = Read(FileOf("#brimo"));
    EXPECT_TRUE(written.starts_with("20:06:23 <bob> riadok, ktorý sa už nezmestí 0\n20:06:23 <b\n")) << written;
    EXPECT_EQ(written.find("počas prestávky"), std::string::npos);
    // The line cut short by the full disk is ended before the next one.
    EXPECT_TRUE(written.ends_with("\n20:08:25 <bob> miesto je\n")) << written;
    EXPECT_EQ(StatusLinesContaining("zaznamenávanie je pozastavené"), 1);
}

TEST_F(ConversationLogTest, ALineDatedInThePastGoesInAmongTheLinesOfItsDayInOrder)
{
    Conversation *room = Channel("#brimo", {"me", "bob"});
    std::vector<std::string> rewritten;
    m_log->SetRewrittenSink(
        [&](const std::vector<std::string> &paths) { rewritten.insert(rewritten.end(), paths.begin(), paths.end()); });
    room->Print("bob: a", TextClass::Text, kEvening);
    room->Print("bob: c", TextClass::Text, kEvening + 100);
    m_log->Flush();
    EXPECT_TRUE(rewritten.empty());

    // Before a written line, before a kept one, in the same second as one, and on the day before.
    room->Print("bob: e", TextClass::Text, kEvening + 200);
    room->Print("bob: b", TextClass::Text, kEvening + 50);
    room->Print("bob: d", TextClass::Text, kEvening + 150);
    room->Print("bob: c2", TextClass::Text, kEvening + 100);
    room->Print("bob: včera", TextClass::Text, kEvening - kDay);
    m_log->Flush();
    EXPECT_EQ(Read(FileOf("#brimo")),
              "20:06:23 <bob> a\n"
              "20:07:13 <bob> b\n"
              "20:08:03 <bob> c\n"
              "20:08:03 <bob> c2\n"
              "20:08:53 <bob> d\n"
              "20:09:43 <bob> e\n");
    EXPECT_EQ(Read(FileOf("#brimo", "2026-12-06")), "20:06:23 <bob> včera\n");
    EXPECT_EQ(rewritten, std::vector<std::string>{FileOf("#brimo")});

    // A line later than all goes to the end again, without moving anything.
    rewritten.clear();
    room->Print("bob: f", TextClass::Text, kEvening + 300);
    m_log->Flush();
    EXPECT_TRUE(Read(FileOf("#brimo")).ends_with("20:09:43 <bob> e\n20:11:23 <bob> f\n"));
    EXPECT_TRUE(rewritten.empty());

    // Before lines only kept so far (a channel's join line, then what the bouncer plays back): no line written moves.
    room->Print("bob: h", TextClass::Text, kEvening + 500);
    room->Print("bob: g", TextClass::Text, kEvening + 400);
    m_log->Flush();
    EXPECT_TRUE(Read(FileOf("#brimo")).ends_with("20:11:23 <bob> f\n20:13:03 <bob> g\n20:14:43 <bob> h\n"));
    EXPECT_TRUE(rewritten.empty());
}

TEST_F(ConversationLogTest, ALateLineFindsItsPlaceInAFileWrittenBeforeAndCutShort)
{
    Conversation *room = Channel("#brimo", {"me", "bob"});
    // Written by an earlier run that ended inside a line; a line of other software in it.
    ASSERT_EQ(MakeFoldersOf(FileOf("#brimo")), 0);
    QFile file(QString::fromStdString(FileOf("#brimo")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("cudzí riadok\n20:06:23 <bob> a\n20:09:43 <bob> ne");
    file.close();
    room->Print("bob: b", TextClass::Text, kEvening + 50);
    room->Print("bob: pred všetkým", TextClass::Text, kEvening - 3600);
    m_log->Flush();
    EXPECT_EQ(Read(FileOf("#brimo")),
              "cudzí riadok\n"
              "19:06:23 <bob> pred všetkým\n"
              "20:06:23 <bob> a\n"
              "20:07:13 <bob> b\n"
              "20:09:43 <bob> ne\n");
}

TEST_F(ConversationLogTest, TheLogKnowsALineByItsSecondNickAndTextWrittenOrKept)
{
    Conversation *room = Channel("#brimo", {"me", "bob"});
    Conversation *other = Private("bob");
    room->Print("bob: ahoj", TextClass::Text, kEvening);
    room->Print("* bob: máva", TextClass::High, kEvening + 1);
    m_log->Flush();
    EXPECT_TRUE(m_log->HasLine(*room, "bob: ahoj", int(TextClass::Text), kEvening));
    EXPECT_TRUE(m_log->HasLine(*room, "* bob: máva", int(TextClass::High), kEvening + 1));
    EXPECT_FALSE(m_log->HasLine(*room, "bob: ahoj", int(TextClass::Text), kEvening + 1));
    EXPECT_FALSE(m_log->HasLine(*room, "ann: ahoj", int(TextClass::Text), kEvening));
    EXPECT_FALSE(m_log->HasLine(*other, "bob: ahoj", int(TextClass::Text), kEvening));
    EXPECT_FALSE(m_log->HasLine(*room, "bob: ahoj", int(TextClass::Text), 0));

    // Known once read: lines that come later, written or only kept, are known too.
    room->Print("bob: neskôr", TextClass::Text, kEvening + 60);
    room->Print("bob: skôr", TextClass::Text, kEvening - 60);
    EXPECT_TRUE(m_log->HasLine(*room, "bob: neskôr", int(TextClass::Text), kEvening + 60));
    EXPECT_TRUE(m_log->HasLine(*room, "bob: skôr", int(TextClass::Text), kEvening - 60));
    m_log->Flush();
    EXPECT_EQ(Read(FileOf("#brimo")).find("<bob> skôr"), 9u); // first

    // A window kept out of the logs knows nothing.
    room->GetToggles().logging = false;
    EXPECT_FALSE(m_log->HasLine(*room, "bob: ahoj", int(TextClass::Text), kEvening));
}

} // namespace
