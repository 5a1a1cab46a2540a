// A window that opens shows the last lines of its log again, faded, with a
// separator dated by the last of them, before anything new: after a real
// restart of the application on a real ngircd, from log files laid out in
// the scratch settings folder, and when a window reopens in the same run.
#include "AppFixture.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "conversation/Conversation.h"
#include "input/InputLine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

#include <QDir>
#include <QFile>

#include <ctime>

namespace {

constexpr char kFadedText[] = "color: #808080;"; // black text faded halfway to white
constexpr char kLiveText[] = "color: #000000;";

class ShownAgainTest : public AppFixture
{
protected:
    std::string LogFolder(const std::string &entry, const std::string &window) const
    {
        return ConfigDir() + "/logs/" + entry + "/" + window;
    }
    void WriteLog(const std::string &folder, const std::string &day, const std::string &lines) const
    {
        QDir().mkpath(QString::fromStdString(folder));
        QFile file(QString::fromStdString(folder + "/" + day + ".log"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines.data(), qint64(lines.size()));
    }
    static std::string Read(const std::string &path)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    static std::string Today()
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char day[16];
        std::strftime(day, sizeof day, "%Y-%m-%d", &local);
        return day;
    }
    static QString Separator(int day, int month, int year)
    {
        return QString::fromStdString(Strings::Format(Str::ShownAgainUntil, day, month, year));
    }
    static QString TodaysSeparator()
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return Separator(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    }
    // The index of the first shown line from `from` on that ends with text; -1 when none.
    static int IndexOf(const QStringList &lines, const QString &text, int from = 0)
    {
        for (int i = from; i < lines.size(); ++i)
            if (lines[i].endsWith(text))
                return i;
        return -1;
    }
    static bool Shows(const ConversationWindow *window, const QString &text)
    {
        return WaitFor([&] { return IndexOf(ShownLines(window), text) >= 0; });
    }
    // The HTML the view was given for the line holding text.
    static std::string FragmentWith(const ConversationWindow *window, const std::string &text)
    {
        const TextView *view = window->View();
        for (size_t i = view->FragmentCount(); i-- > 0;)
            if (view->Fragment(i).find(text) != std::string_view::npos)
                return std::string(view->Fragment(i));
        return std::string();
    }
    static ConversationWindow *WindowOf(Session *session, const std::string &name)
    {
        Conversation *conversation = session->FindWindow(name);
        return conversation ? dynamic_cast<ConversationWindow *>(conversation->View()) : nullptr;
    }
};

// ---- a real restart on a real server ----

class ShownAgainAfterRestartTest : public ShownAgainTest
{
protected:
    // Starts the program on the ngircd (server entry "Test", nick "brimo").
    Session *StartOnIrcd()
    {
        if (!m_app && !StartApp())
            return nullptr;
        if (m_app->Sessions().Count() != 1)
            return nullptr;
        Session *session = m_app->Sessions().Sessions().front();
        return WaitFor([&] { return session->IsConnected() && !session->RegisteredNick().empty(); }) ? session
                                                                                                     : nullptr;
    }
    ConversationWindow *Join(Session *session)
    {
        session->Command(session->Key(), 0, "/join #brimo");
        if (!WaitFor([&] { return WindowOf(session, "#brimo") && WindowOf(session, "#brimo")->NickCount() > 0; }))
            return nullptr;
        return WindowOf(session, "#brimo");
    }

    NgircdServer m_ircd;
    RawIrcClient m_bob;
};

TEST_F(ShownAgainAfterRestartTest, TheChannelJoinedAgainShowsTheOldLinesFadedBeforeTheSeparatorThenNewLines)
{
    if (!NgircdServer::IsAvailable())
        GTEST_SKIP() << "ngircd is not installed";
    ASSERT_TRUE(m_ircd.Start());
    ASSERT_TRUE(
        WriteConfigFile("[Base]\nNick=brimo\n[Servers]\nTest=127.0.0.1 " + std::to_string(m_ircd.Port()) + " 1\n"));
    Session *session = StartOnIrcd();
    ASSERT_TRUE(session) << m_ircd.Output();
    ConversationWindow *channel = Join(session);
    ASSERT_TRUE(channel);
    ASSERT_TRUE(m_bob.ConnectAndRegister(m_ircd.Port(), "bob"));
    m_bob.SendLine("JOIN #brimo");
    m_bob.SendLine("PRIVMSG #brimo :ahoj z minula");
    m_bob.SendLine("PRIVMSG #brimo :\x01"
                   "ACTION máva\x01");
    ASSERT_TRUE(Shows(channel, "* bob: máva"));
    channel->Input()->SetTextWithCodes("moja odpoveď");
    channel->Input()->Enter();
    ASSERT_TRUE(m_bob.WaitForText("moja odpoveď"));
    ASSERT_TRUE(Shows(channel, "brimo: moja odpoveď"));
    StopApp();

    const std::string logFile = LogFolder("Test", "#brimo") + "/" + Today() + ".log";
    ASSERT_NE(Read(logFile).find("<bob> ahoj z minula\n"), std::string::npos) << Read(logFile);

    session = StartOnIrcd();
    ASSERT_TRUE(session);
    channel = Join(session);
    ASSERT_TRUE(channel);
    m_bob.SendLine("PRIVMSG #brimo :nový riadok");
    ASSERT_TRUE(Shows(channel, "bob: nový riadok"));

    const QStringList lines = ShownLines(channel);
    const int hello = IndexOf(lines, "bob: ahoj z minula");
    const int waves = IndexOf(lines, "* bob: máva");
    const int answer = IndexOf(lines, "brimo: moja odpoveď");
    const int separator = IndexOf(lines, TodaysSeparator());
    const int joined = IndexOf(lines, "Si na kanály #brimo", separator);
    const int fresh = IndexOf(lines, "bob: nový riadok");
    ASSERT_GE(hello, 0) << lines.join('\n').toStdString();
    EXPECT_LT(hello, waves);
    EXPECT_LT(waves, answer);
    EXPECT_EQ(separator, answer + 1) << lines.join('\n').toStdString();
    EXPECT_GT(joined, separator);
    EXPECT_GT(fresh, joined);
    // The lines of the first run are there once each.
    EXPECT_EQ(lines.filter(QStringLiteral("ahoj z minula")).size(), 1);

    EXPECT_NE(FragmentWith(channel, "ahoj z minula").find(kFadedText), std::string::npos)
        << FragmentWith(channel, "ahoj z minula");
    EXPECT_NE(FragmentWith(channel, "nový riadok").find(kLiveText), std::string::npos)
        << FragmentWith(channel, "nový riadok");
    EXPECT_EQ(FragmentWith(channel, "nový riadok").find(kFadedText), std::string::npos);

    // Shown again, never logged again.
    StopApp();
    const std::string logged = Read(logFile);
    EXPECT_EQ(QString::fromStdString(logged).count(QStringLiteral("ahoj z minula")), 1) << logged;
    EXPECT_NE(logged.find("<bob> nový riadok\n"), std::string::npos) << logged;
}

// ---- log files laid out in the scratch folder ----

TEST_F(ShownAgainTest, TheLastLinesKeepTheirOwnTimesAndTheSeparatorTheDateOfTheLast)
{
    WriteLog(LogFolder("Siet", "#brimo"), "2026-12-05",
             "08:15:00 <bob> dávno\n08:16:00 * ann máva\n08:17:00 -- Teraz tu je aj eve\n");
    WriteLog(LogFolder("Siet", "#brimo"), "2026-12-06", "21:40:05 <ann> včera večer\nrozbitý riadok\n");
    WriteLog(LogFolder("Siet", "ana"), "2026-12-06", "10:00:00 <ana> ahoj súkromne\n");
    Session *session = StartConnected("Log Lines=3\n");
    ASSERT_TRUE(session);
    ConversationWindow *channel = JoinedChannel(session, "#brimo");
    ASSERT_TRUE(channel);
    m_server.SendLine(":bob!b@127.0.0.1 PRIVMSG #brimo :teraz");
    ASSERT_TRUE(Shows(channel, "bob: teraz"));

    const QStringList lines = ShownLines(channel);
    const int first = IndexOf(lines, "[08:16] * ann: máva");
    ASSERT_GE(first, 0) << lines.join('\n').toStdString();
    EXPECT_EQ(IndexOf(lines, "dávno"), -1);
    EXPECT_EQ(lines[first + 1], "[08:17] * Teraz tu je aj eve");
    EXPECT_EQ(lines[first + 2], "[21:40] ann: včera večer");
    EXPECT_EQ(lines[first + 3], Separator(6, 12, 2026));
    EXPECT_GT(IndexOf(lines, "bob: teraz"), first + 3);
    // The senders are nicks to click, as in live lines.
    EXPECT_NE(FragmentWith(channel, "včera večer").find("/query ann"), std::string::npos)
        << FragmentWith(channel, "včera večer");
    EXPECT_NE(FragmentWith(channel, "včera večer").find(kFadedText), std::string::npos);

    session->Command(session->Key(), 0, "/query ana");
    ConversationWindow *query = WindowOf(session, "ana");
    ASSERT_TRUE(query);
    EXPECT_GE(IndexOf(ShownLines(query), "[10:00] ana: ahoj súkromne"), 0)
        << ShownLines(query).join('\n').toStdString();
    EXPECT_GE(IndexOf(ShownLines(query), Separator(6, 12, 2026)), 0);
    // The status window has no log to show.
    EXPECT_EQ(IndexOf(ShownLines(WindowOf(session, session->Key())), Separator(6, 12, 2026)), -1);
}

TEST_F(ShownAgainTest, NoLinesAreShownAgainWhenTheSettingSaysNone)
{
    WriteLog(LogFolder("Siet", "#brimo"), "2026-12-06", "21:40:05 <ann> včera večer\n");
    Session *session = StartConnected("Log Lines=0\n");
    ASSERT_TRUE(session);
    ConversationWindow *channel = JoinedChannel(session, "#brimo");
    ASSERT_TRUE(channel);
    ASSERT_TRUE(Shows(channel, "Si na kanály #brimo"));
    EXPECT_EQ(IndexOf(ShownLines(channel), "včera večer"), -1);
    EXPECT_EQ(IndexOf(ShownLines(channel), Separator(6, 12, 2026)), -1);
}

TEST_F(ShownAgainTest, AWindowClosedAndOpenedAgainInTheSameRunShowsWhatItHadSaid)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    ConversationWindow *channel = JoinedChannel(session, "#brimo");
    ASSERT_TRUE(channel);
    m_server.SendLine(":bob!b@127.0.0.1 PRIVMSG #brimo :pred zatvorením");
    ASSERT_TRUE(Shows(channel, "bob: pred zatvorením"));
    ASSERT_TRUE(session->CloseWindow("#brimo"));
    ASSERT_TRUE(WaitFor([&] { return session->FindWindow("#brimo") == nullptr; }));

    channel = JoinedChannel(session, "#brimo");
    ASSERT_TRUE(channel);
    m_server.SendLine(":bob!b@127.0.0.1 PRIVMSG #brimo :po otvorení");
    ASSERT_TRUE(Shows(channel, "bob: po otvorení"));
    const QStringList lines = ShownLines(channel);
    const int before = IndexOf(lines, "bob: pred zatvorením");
    ASSERT_GE(before, 0) << lines.join('\n').toStdString();
    EXPECT_GT(IndexOf(lines, TodaysSeparator()), before);
    EXPECT_GT(IndexOf(lines, "bob: po otvorení"), IndexOf(lines, TodaysSeparator()));
}

} // namespace
