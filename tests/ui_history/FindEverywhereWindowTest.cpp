// The find-everywhere window on a real widget over a real index of log
// files in a scratch folder: grouped results with the lines around them,
// what it says, the rebuild's progress bar, and the read-only day view a
// found line opens.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include <fstream>

#include "history/FindEverywhereWindow.h"
#include "history/FoundLineInView.h"
#include "history/HistoryIndex.h"
#include "history/LogDayView.h"
#include "history/LogWriter.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "view/TextView.h"
#include "widgets/Utf8Text.h"

namespace {

class FindEverywhereWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_scratch.isValid());
        WriteLog("Libera", "#brimo", "2026-12-06",
                 {"19:00:00 <bob> dobrý večer", "19:00:05 <ann> kde je správa o vydaní?", "19:00:09 <bob> ešte nie"});
        WriteLog("Libera", "#brimo", "2026-12-07",
                 {"08:00:00 -- Teraz tu je aj ann", "08:00:01 <ann> sprava je hotová", "08:00:02 * bob tlieska",
                  "08:00:03 <ann> správa ide von večer"});
        WriteLog("OFTC", "bob", "2026-12-07", {"10:00:00 <bob> tu je tá správa"});
    }

    std::string Folder() const { return m_scratch.path().toStdString() + "/logs"; }
    void WriteLog(const std::string &network, const std::string &window, const std::string &day,
                  std::initializer_list<const char *> lines)
    {
        const std::string path = Folder() + "/" + network + "/" + window + "/" + day + ".log";
        ASSERT_EQ(MakeFoldersOf(path), 0);
        std::ofstream file(path, std::ios::app);
        for (const char *line : lines)
            file << line << '\n';
    }
    void StartIndex(int batchLines = IndexWorker::kDefaultBatchLines)
    {
        m_index = std::make_unique<HistoryIndex>(Folder(), batchLines);
        bool done = false;
        m_index->AfterPendingWork([&] { done = true; });
        ASSERT_TRUE(WaitFor([&] { return done; }, 60000));
    }
    void Search(const QString &text)
    {
        m_window.Search(text);
        ASSERT_TRUE(WaitFor([&] { return !m_window.IsSearching(); }, 30000));
    }
    // The groups' titles and under each the found lines (before | line | after).
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> shown;
        QTreeWidget *results = m_window.Results();
        for (int g = 0; g < results->topLevelItemCount(); ++g) {
            QTreeWidgetItem *group = results->topLevelItem(g);
            shown.push_back(group->text(0).toStdString());
            for (int k = 0; k < group->childCount(); ++k)
                shown.push_back(
                    "  " + group->child(k)->text(0).replace(QLatin1Char('\n'), QLatin1String(" | ")).toStdString());
        }
        return shown;
    }

    QTemporaryDir m_scratch;
    std::unique_ptr<HistoryIndex> m_index;
    FindEverywhereWindow m_window;
};

using Lines = std::vector<std::string>;

TEST_F(FindEverywhereWindowTest, ResultsAreGroupedByNetworkWindowAndDayWithTheLinesAround)
{
    StartIndex();
    m_window.SetIndex(m_index.get());
    m_window.show();
    Search(QStringLiteral("sprava"));

    EXPECT_EQ(
        Shown(),
        Lines({"OFTC › bob › 2026-12-07 (1)", "   | 10:00:00 <bob> tu je tá správa | ",
               "Libera › #brimo › 2026-12-07 (2)",
               "  08:00:00 -- Teraz tu je aj ann | 08:00:01 <ann> sprava je hotová | 08:00:02 * bob tlieska",
               "  08:00:02 * bob tlieska | 08:00:03 <ann> správa ide von večer | ", "Libera › #brimo › 2026-12-06 (1)",
               "  19:00:00 <bob> dobrý večer | 19:00:05 <ann> kde je správa o vydaní? | 19:00:09 <bob> ešte nie"}));
    EXPECT_EQ(m_window.Status()->text().toStdString(), Strings::Format(Str::FindEverywhereCount, 4));
    EXPECT_FALSE(m_window.MoreButton()->isVisible());

    Search(QStringLiteral("správa net:libera od:2026-12-07 nick:ann"));
    EXPECT_EQ(Shown().size(), 3u);
    Search(QStringLiteral("čokoláda"));
    EXPECT_EQ(Shown(), Lines());
    EXPECT_EQ(m_window.Status()->text().toStdString(), Strings::Get(Str::FindNothing));
}

TEST_F(FindEverywhereWindowTest, SaysWhatIsWrongWithTheQueryAndWhenLoggingIsOff)
{
    m_window.show();
    EXPECT_EQ(m_window.Status()->text().toStdString(), Strings::Get(Str::FindLogsOff));
    StartIndex();
    m_window.SetIndex(m_index.get());
    Search(QStringLiteral("správa od:2026-12-32"));
    EXPECT_EQ(m_window.Status()->text().toStdString(), Strings::Format(Str::LogQueryBadDay, "2026-12-32"));
    EXPECT_EQ(Shown(), Lines());
}

TEST_F(FindEverywhereWindowTest, ARebuildShowsItsProgressUntilItIsDone)
{
    for (int day = 1; day <= 28; ++day) {
        char name[16];
        std::snprintf(name, sizeof name, "2026-11-%02d", day);
        for (int k = 0; k < 200; ++k)
            WriteLog("Libera", "#velky", name, {"12:00:00 <eve> riadok pre index"});
    }
    m_window.show();
    m_index = std::make_unique<HistoryIndex>(Folder(), 5);
    m_window.SetIndex(m_index.get());
    ASSERT_TRUE(WaitFor([&] { return m_window.ProgressBar()->isVisible(); }, 30000));
    EXPECT_GT(m_window.ProgressBar()->value(), -1);
    EXPECT_TRUE(WaitFor([&] { return !m_window.ProgressBar()->isVisible(); }, 60000));
    Search(QStringLiteral("riadok index"));
    EXPECT_EQ(m_window.Status()->text().toStdString(),
              Strings::Format(Str::FindEverywhereCountMore, FindEverywhereWindow::kPageLines));
    EXPECT_TRUE(m_window.MoreButton()->isVisible());
    QTest::mouseClick(m_window.MoreButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !m_window.IsSearching(); }, 30000));
    EXPECT_EQ(m_window.Status()->text().toStdString(),
              Strings::Format(Str::FindEverywhereCountMore, 2 * FindEverywhereWindow::kPageLines));
}

TEST_F(FindEverywhereWindowTest, ADoubleClickOpensTheDayAtTheLineReadOnly)
{
    StartIndex();
    m_window.SetIndex(m_index.get());
    m_window.show();
    Search(QStringLiteral("\"ide von\""));
    QTreeWidgetItem *line = m_window.Results()->topLevelItem(0)->child(0);
    ASSERT_TRUE(line);
    std::unique_ptr<LogFound> opened;
    QObject::connect(&m_window, &FindEverywhereWindow::lineOpened,
                     [&](const LogFound &found) { opened = std::make_unique<LogFound>(found); });
    QTreeWidget *results = m_window.Results();
    const QPoint at = results->visualItemRect(line).center();
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->context.line, "08:00:03 <ann> správa ide von večer");

    LogDayView day(*opened);
    day.show();
    EXPECT_EQ(day.windowTitle().toStdString(), Strings::Format(Str::LogDayTitle, "Libera", "#brimo", "2026-12-07"));
    EXPECT_TRUE(day.Text()->isReadOnly());
    EXPECT_EQ(day.FoundLine(), 3);
    EXPECT_EQ(day.Text()->textCursor().block().text().toStdString(), "08:00:03 <ann> správa ide von večer");
    EXPECT_EQ(day.Text()->document()->blockCount(), 5); // four lines and the empty end
    ASSERT_EQ(day.Text()->extraSelections().size(), 1);
    EXPECT_EQ(day.Text()->extraSelections().front().cursor.block().blockNumber(), 3);
}

TEST(ScrollToLoggedLine, TheWindowsTextScrollsToTheLineOfItsLog)
{
    TextView view;
    view.resize(500, 160);
    view.show();
    view.Create();
    for (int k = 0; k < 400; ++k)
        view.WriteLine("bob: riadok " + std::to_string(k), TextClass::Text, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("riadok 399")).isEmpty(); }, 5000));

    ASSERT_TRUE(ScrollToLoggedLine(view, "20:06:23 <bob> riadok 17"));
    EXPECT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("riadok 17")).isEmpty(); }, 5000));
    EXPECT_TRUE(view.VisibleTextRect(QStringLiteral("riadok 399")).isEmpty());
    // Lines that keep coming leave it where it is.
    view.WriteLine("bob: ďalší", TextClass::Text, false);
    EXPECT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("riadok 17")).isEmpty(); }, 5000));
    EXPECT_FALSE(ScrollToLoggedLine(view, "20:06:23 <ann> riadok 17"));
    EXPECT_FALSE(ScrollToLoggedLine(view, "not a line of a log"));
}

} // namespace
