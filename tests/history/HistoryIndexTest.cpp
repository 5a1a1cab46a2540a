// The index of the logs, filled from what a session's windows log into a
// scratch folder, asked as the find-everywhere window asks, damaged and
// built anew from the logs.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <sqlite3.h>
#include <sys/stat.h>

#include "dispatch/DispatchFixture.h"
#include "history/ConversationLog.h"
#include "history/HistoryIndex.h"
#include "history/LogContext.h"
#include "history/LogIndex.h"
#include "history/LogQuery.h"

namespace {

// 2026-12-07 20:06:23 in the tests' time zone (UTC).
constexpr int64_t kEvening = 1796673983;
constexpr int64_t kDay = 86400;

class HistoryIndexTest : public DispatchFixture
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        DispatchFixture::SetUp();
        ASSERT_TRUE(m_scratch.isValid());
        m_log = std::make_unique<ConversationLog>(*m_table);
        m_log->SetClock([this] { return m_now; });
        m_log->Apply({true, Folder()});
        m_log->SetWrittenSink([this](const std::vector<std::string> &paths) {
            if (m_index)
                m_index->FilesWritten(paths);
        });
        m_table->SetRecorder(m_log.get());
    }

    void TearDown() override
    {
        m_table->SetRecorder(nullptr);
        m_log.reset();
        m_index.reset();
        DispatchFixture::TearDown();
    }

    std::string Folder() const { return m_scratch.path().toStdString() + "/logs"; }
    std::string IndexPath() const { return LogIndex::PathIn(Folder()); }

    void StartIndex(int batchLines = IndexWorker::kDefaultBatchLines)
    {
        m_index = std::make_unique<HistoryIndex>(Folder(), batchLines);
    }
    // Writes what the log keeps and waits until the index holds it.
    void Indexed()
    {
        m_log->Flush();
        bool done = false;
        m_index->AfterPendingWork([&] { done = true; });
        ASSERT_TRUE(WaitFor([&] { return done; }, 30000));
    }
    LogFindResult FindPage(const std::string &line, int64_t before = 0, int limit = 100)
    {
        const ParsedLogQuery parsed = ParseLogQuery(line);
        EXPECT_EQ(parsed.error, "") << line;
        LogFindResult result;
        bool done = false;
        m_index->Find(parsed.query, before, limit, [&](const LogFindResult &found) {
            result = found;
            done = true;
        });
        EXPECT_TRUE(WaitFor([&] { return done; }, 30000)) << line;
        return result;
    }
    // The lines found, newest first.
    std::vector<std::string> Find(const std::string &line)
    {
        std::vector<std::string> lines;
        for (const LogFound &found : FindPage(line).lines)
            lines.push_back(found.context.line);
        return lines;
    }
    // Where the lines found are: "network window day" of each.
    std::vector<std::string> Places(const std::string &line)
    {
        std::vector<std::string> places;
        for (const LogFound &found : FindPage(line).lines)
            places.push_back(found.file.NetworkName() + " " + found.file.WindowName() + " " + found.file.day);
        return places;
    }
    void Say(const std::string &nick, const std::string &target, const std::string &text)
    {
        Dispatch(":" + nick + "!u@h PRIVMSG " + target + " :" + text);
    }

    QTemporaryDir m_scratch;
    int64_t m_now = kEvening;
    std::unique_ptr<ConversationLog> m_log;
    std::unique_ptr<HistoryIndex> m_index;
};

using Lines = std::vector<std::string>;

TEST_F(HistoryIndexTest, LoggedLinesAreFoundByWordsInAnyOrderOrByAPhrase)
{
    StartIndex();
    Channel("#brimo", {"me", "bob", "ann"});
    Say("bob", "#brimo", "ahoj všetci, dáte si kávu?");
    m_now += 5;
    Say("ann", "#brimo", "kávu nie, ďakujem");
    Say("bob", "#brimo",
        "\x01"
        "ACTION varí kávu pre všetci\x01");
    Indexed();

    EXPECT_EQ(Find("všetci kávu"),
              Lines({"20:06:28 * bob varí kávu pre všetci", "20:06:23 <bob> ahoj všetci, dáte si kávu?"}));
    EXPECT_EQ(Find("KÁVU všetci AHOJ"), Lines({"20:06:23 <bob> ahoj všetci, dáte si kávu?"}));
    EXPECT_EQ(Find("\"kávu nie\""), Lines({"20:06:28 <ann> kávu nie, ďakujem"}));
    EXPECT_EQ(Find("\"nie kávu\""), Lines());
    EXPECT_EQ(Find("ďaku*"), Lines({"20:06:28 <ann> kávu nie, ďakujem"}));
    EXPECT_EQ(Find("čaj"), Lines());
}

TEST_F(HistoryIndexTest, LoggedLinesReachTheIndexBySecondsLaterWithoutBeingAsked)
{
    StartIndex();
    Channel("#brimo", {"me", "bob"});
    Say("bob", "#brimo", "samo od seba");
    // The log writes within a second, the index takes the files it gathered some seconds later.
    EXPECT_TRUE(WaitFor([&] { return Find("samo seba").size() == 1; }, 4 * HistoryIndex::kGatherMs));
}

TEST_F(HistoryIndexTest, SlovakLettersMatchWithOrWithoutDiacritics)
{
    StartIndex();
    Channel("#brimo", {"me", "bob"});
    Say("bob", "#brimo", "Nová správa pre Ďura");
    Say("bob", "#brimo", "sprava bez mäkčeňov a dlžňov");
    Indexed();

    const Lines both = {"20:06:23 <bob> sprava bez mäkčeňov a dlžňov", "20:06:23 <bob> Nová správa pre Ďura"};
    EXPECT_EQ(Find("sprava"), both);
    EXPECT_EQ(Find("správa"), both);
    EXPECT_EQ(Find("SPRÁVA"), both);
    EXPECT_EQ(Find("dura nova"), Lines({"20:06:23 <bob> Nová správa pre Ďura"}));
    EXPECT_EQ(Find("\"makcenov a dlznov\""), Lines({"20:06:23 <bob> sprava bez mäkčeňov a dlžňov"}));
}

TEST_F(HistoryIndexTest, ANickANetworkAWindowAndDaysNarrowWhatIsFound)
{
    StartIndex();
    Channel("#brimo", {"me", "bob", "bob_away", "ann"});
    Channel("#Other", {"me", "bob"});
    m_session->OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate);
    Say("bob", "#brimo", "pivo prvý deň");
    Say("bob_away", "#brimo", "pivo od iného boba");
    Say("ann", "#brimo", "pivo od ann, aj bob chce");
    Say("bob", "#Other", "pivo v inom okne");
    Say("bob", "me", "pivo súkromne");
    m_now += kDay;
    Say("bob", "#brimo", "pivo druhý deň");
    Indexed();

    EXPECT_EQ(Find("pivo").size(), 6u);
    // The nick as said, whole: not a nick that holds it, not a line that names it.
    EXPECT_EQ(Find("pivo nick:BOB"),
              Lines({"20:06:23 <bob> pivo druhý deň", "20:06:23 <bob> pivo súkromne", "20:06:23 <bob> pivo v inom okne",
                     "20:06:23 <bob> pivo prvý deň"}));
    EXPECT_EQ(Find("nick:bob_away"), Lines({"20:06:23 <bob_away> pivo od iného boba"}));
    EXPECT_EQ(Places("pivo nick:bob win:#other"), Lines({"127.0.0.1 #other 2026-12-07"}));
    EXPECT_EQ(Places("pivo nick:bob win:bob"), Lines({"127.0.0.1 bob 2026-12-07"}));
    EXPECT_EQ(Find("pivo net:127.0.0.1").size(), 6u);
    EXPECT_EQ(Find("pivo net:Libera"), Lines());
    EXPECT_EQ(Places("pivo win:#brimo od:2026-12-08"), Lines({"127.0.0.1 #brimo 2026-12-08"}));
    EXPECT_EQ(Find("pivo win:#brimo do:2026-12-07").size(), 3u);
    EXPECT_EQ(Find("pivo od:2026-12-07 do:2026-12-07").size(), 5u);
    EXPECT_EQ(Find("pivo do:2026-12-06"), Lines());
}

TEST_F(HistoryIndexTest, AFoundLineComesWithTheLinesAroundItAndPagesGoOnWhereTheyStopped)
{
    StartIndex();
    Channel("#brimo", {"me", "bob"});
    for (int k = 1; k <= 5; ++k)
        Say("bob", "#brimo", "riadok " + std::to_string(k) + (k % 2 ? " nepárny" : ""));
    Indexed();

    const LogFindResult first = FindPage("nepárny", 0, 2);
    ASSERT_EQ(first.lines.size(), 2u);
    EXPECT_TRUE(first.more);
    EXPECT_EQ(first.lines[0].context.before, "20:06:23 <bob> riadok 4");
    EXPECT_EQ(first.lines[0].context.line, "20:06:23 <bob> riadok 5 nepárny");
    EXPECT_EQ(first.lines[0].context.after, "");
    EXPECT_EQ(first.lines[1].context.line, "20:06:23 <bob> riadok 3 nepárny");
    const LogFindResult second = FindPage("nepárny", first.next, 2);
    ASSERT_EQ(second.lines.size(), 1u);
    EXPECT_EQ(second.lines[0].context.before, "");
    EXPECT_EQ(second.lines[0].context.line, "20:06:23 <bob> riadok 1 nepárny");
    EXPECT_EQ(second.lines[0].context.after, "20:06:23 <bob> riadok 2");
    EXPECT_FALSE(second.more);
    // The key takes the reader to the line in its file.
    EXPECT_EQ(LogContext::Read(second.lines[0].path, second.lines[0].offset)->line, "20:06:23 <bob> riadok 1 nepárny");
}

TEST_F(HistoryIndexTest, TheIndexIsOwnerOnlyAndKeepsItsPlaceAcrossARestart)
{
    StartIndex();
    Channel("#brimo", {"me", "bob"});
    Say("bob", "#brimo", "pred reštartom");
    Indexed();
    struct stat status
    {};
    ASSERT_EQ(::stat(IndexPath().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    // Lines logged while no index runs are taken at the next start, the old ones not again.
    m_index.reset();
    Say("bob", "#brimo", "počas reštartu");
    m_log->Flush();
    StartIndex();
    Indexed();
    EXPECT_EQ(Find("reštartom").size(), 1u);
    EXPECT_EQ(Find("reštartu").size(), 1u);
    EXPECT_EQ(m_index->Progress().error, "");
}

// Damage of either kind is found at the start and the index is built anew
// from the logs, which hold the truth.
class DamagedIndexTest : public HistoryIndexTest, public testing::WithParamInterface<const char *>
{
protected:
    void Damage()
    {
        QFile index(QString::fromStdString(IndexPath()));
        ASSERT_TRUE(index.open(QIODevice::ReadWrite));
        const qint64 size = index.size();
        ASSERT_GT(size, 4096);
        if (std::string(GetParam()) == "foreign") {
            // A database of something else under the index's name.
            index.close();
            LogIndex::Remove(IndexPath());
            sqlite3 *db = nullptr;
            ASSERT_EQ(sqlite3_open(IndexPath().c_str(), &db), SQLITE_OK);
            ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE recipe(name TEXT); INSERT INTO recipe VALUES('bryndzové halušky')",
                                   nullptr, nullptr, nullptr),
                      SQLITE_OK);
            sqlite3_close(db);
        } else if (std::string(GetParam()) == "truncated") {
            ASSERT_TRUE(index.resize(size / 2));
        } else {
            for (qint64 at : {qint64(0), size / 2, size - 100}) {
                index.seek(at);
                index.write(QByteArray(64, '\x5a'));
            }
        }
    }
};

TEST_P(DamagedIndexTest, IsBuiltAnewFromTheLogs)
{
    StartIndex();
    Channel("#brimo", {"me", "bob"});
    for (int k = 0; k < 300; ++k)
        Say("bob", "#brimo", "riadok číslo " + std::to_string(k) + " so slovom čučoriedka");
    Indexed();
    ASSERT_EQ(Find("čučoriedka").size(), 100u);
    m_index.reset();
    Damage();

    StartIndex();
    Indexed();
    EXPECT_EQ(m_index->Progress().error, "");
    EXPECT_FALSE(m_index->Progress().IsBusy());
    EXPECT_GT(m_index->Progress().total, 0);
    const LogFindResult found = FindPage("cucoriedka riadok", 0, 1000);
    EXPECT_EQ(found.lines.size(), 300u);
    EXPECT_EQ(Find("\"číslo 299\"").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedIndexTest, testing::Values("truncated", "scribbled", "foreign"));

TEST_F(HistoryIndexTest, LinesLoggedDuringARebuildAreNeitherLostNorDoubled)
{
    // Old logs, as a user has them after months of chatting: many days of
    // one window, from before the index existed.
    constexpr int kDays = 400;
    constexpr int kLinesPerDay = 100;
    for (int day = 0; day < kDays; ++day) {
        const std::string folder = Folder() + "/127.0.0.1/#brimo";
        ASSERT_EQ(MakeFoldersOf(folder + "/x"), 0);
        char name[32];
        std::snprintf(name, sizeof name, "/%04d-%02d-%02d.log", 2025 + day / 336, 1 + day / 28 % 12, 1 + day % 28);
        std::ofstream file(folder + name);
        for (int k = 0; k < kLinesPerDay; ++k)
            file << "10:00:00 <ann> staré riadky " << k << "\n";
    }
    // Today's file too, which the rebuild reaches last, while lines are still being added to it.
    std::ofstream(Folder() + "/127.0.0.1/#brimo/2026-12-07.log") << "20:00:00 <ann> ráno\n";
    StartIndex(10);
    ASSERT_TRUE(WaitFor([&] { return m_index->Progress().done > 0; }, 30000));
    ASSERT_TRUE(m_index->Progress().IsBusy()) << "the rebuild ended before the new lines came";

    Channel("#brimo", {"me", "bob"});
    for (int k = 0; k < 50; ++k) {
        Say("bob", "#brimo", "nový riadok " + std::to_string(k));
        if (k % 10 == 0)
            m_log->Flush();
    }
    Indexed();
    EXPECT_FALSE(m_index->Progress().IsBusy());
    EXPECT_EQ(FindPage("nový riadok", 0, 1000).lines.size(), 50u);
    EXPECT_EQ(Find("ráno").size(), 1u);
    EXPECT_EQ(FindPage("\"riadok 7\"", 0, 1000).lines.size(), 1u);
    EXPECT_EQ(FindPage("staré \"riadky 42\"", 0, 1000).lines.size(), size_t(kDays));
}

TEST_F(HistoryIndexTest, ALineLoggedInThePastIsFoundWhereItWentAndTheLinesItMovedStillAre)
{
    m_log->SetRewrittenSink([this](const std::vector<std::string> &paths) {
        if (m_index)
            m_index->FilesRewritten(paths);
    });
    StartIndex();
    Conversation *room = Channel("#brimo", {"me", "bob"});
    Conversation *other = Channel("#iny", {"me", "bob"});
    other->Print("bob: správa inde", TextClass::Text, kEvening);
    Indexed();
    room->Print("bob: prvá správa", TextClass::Text, kEvening);
    room->Print("bob: tretia správa", TextClass::Text, kEvening + 100);
    Indexed();
    room->Print("bob: druhá správa, prehraná", TextClass::Text, kEvening + 50);
    Indexed();

    EXPECT_EQ(
        Find("správa net:127.0.0.1 win:#brimo"),
        Lines({"20:08:03 <bob> tretia správa", "20:07:13 <bob> druhá správa, prehraná", "20:06:23 <bob> prvá správa"}));
    // Every file at once: what the index held of the moved lines is not found a second time.
    EXPECT_EQ(Find("správa"),
              Lines({"20:08:03 <bob> tretia správa", "20:07:13 <bob> druhá správa, prehraná",
                     "20:06:23 <bob> prvá správa", "20:06:23 <bob> správa inde"}));
    EXPECT_EQ(Find("tretia"), Lines({"20:08:03 <bob> tretia správa"}));
    // A page is full while lines are left: the old lines take no place in it.
    EXPECT_EQ(FindPage("správa", 0, 4).lines.size(), 4u);

    // After a restart the index carries on from where it was.
    m_index.reset();
    room->Print("bob: štvrtá správa", TextClass::Text, kEvening + 200);
    m_log->Flush();
    StartIndex();
    Indexed();
    EXPECT_EQ(FindPage("správa", 0, 100).lines.size(), 5u);
}

} // namespace
