// Brimo behind a real ZNC in front of the test's ngircd: lines missed while
// Brimo was not attached, attaching twice with a restart between, a second
// client of the same bouncer user, the bouncer's *status, several networks
// of one bouncer, and a plain server without any of it.
#include <gtest/gtest.h>

#include <QFile>

#include <ctime>

#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "config/FavouriteServers.h"
#include "conversation/Conversation.h"
#include "history/ConversationLog.h"
#include "history/LogLine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"
#include "support/ZncServer.h"

namespace {

using Shown = FakeConversationView::Shown;

constexpr const char *kEntry = "ZNC";
constexpr const char *kSecondEntry = "ZNC druhá sieť";
constexpr int kWaitMs = 20000;

class ZncBouncerTest : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        if (!NgircdServer::IsAvailable() || !ZncServer::IsAvailable())
            GTEST_SKIP() << "ngircd or znc is not installed";
        ASSERT_TRUE(m_ircd.Start()) << m_ircd.Output();
        m_znc = std::make_unique<ZncServer>(m_ircd.Port());
        ASSERT_TRUE(m_znc->Start()) << m_znc->Output();
        WriteBool(kBaseSection, "Open Query Window", true);
        WriteBool(kBaseSection, "Query Dialog", false);
        AddEntry(kEntry, ZncServer::kNetwork);
        AddEntry(kSecondEntry, ZncServer::kSecondNetwork);
        StartProgram();
        // bob talks on the network; the bouncer's user is there for it.
        ASSERT_TRUE(m_bob.ConnectAndRegister(m_ircd.Port(), "bob"));
        m_bob.SendLine(std::string("JOIN ") + ZncServer::kChannel);
        ASSERT_TRUE(WaitFor(
            [&] {
                m_bob.SendLine(std::string("NAMES ") + ZncServer::kChannel);
                return m_bob.WaitForLine(
                    [](const std::string &l) {
                        return RawIrcClient::CommandOf(l) == "353" && l.find(ZncServer::kNick) != std::string::npos;
                    },
                    200);
            },
            kWaitMs))
            << m_znc->Output() << m_ircd.Output();
    }

    void TearDown() override
    {
        StopProgram();
        m_znc.reset();
        TestConfigDir::TearDown();
    }

    void AddEntry(const std::string &name, const std::string &network)
    {
        FavouriteServers servers;
        servers.Load();
        ServerEntry entry = servers.ForEditing(name);
        entry.name = name;
        entry.host = "127.0.0.1";
        entry.port = m_znc->Port();
        entry.usePassword = true;
        entry.password = ZncServer::PasswordFor(network);
        servers.Put(entry, std::string());
        ASSERT_TRUE(servers.Save());
    }

    // The application's core as a start makes it: sessions and the logs.
    void StartProgram()
    {
        m_shell = std::make_unique<FakeShell>();
        m_table = std::make_unique<SessionTable>(m_shell.get(), m_commands);
        m_log = std::make_unique<ConversationLog>(*m_table);
        m_log->Apply({true, DefaultLogDirectory()});
        m_table->SetRecorder(m_log.get());
    }
    // Its end: QUIT to every server (the bouncer only detaches us), the logs written.
    void StopProgram()
    {
        if (m_table) {
            for (Session *session : m_table->Sessions())
                session->Shutdown();
            m_table->SetRecorder(nullptr);
        }
        m_log.reset();
        m_table.reset();
        m_shell.reset();
    }

    Session *Attach(const std::string &entry)
    {
        Session *session = m_table->CreateSession("127.0.0.1", m_znc->Port(), entry);
        EXPECT_TRUE(WaitFor([&] { return session->IsConnected() && !session->IsConnecting(); }, kWaitMs))
            << m_znc->Output();
        return session;
    }
    // Another client of the same bouncer user and network.
    void AttachPhone()
    {
        ASSERT_TRUE(m_phone.Connect(m_znc->Port()));
        m_phone.SendLine("PASS " + ZncServer::PasswordFor(ZncServer::kNetwork));
        ASSERT_TRUE(m_phone.Register("telefon"));
    }

    FakeConversationView *View(const std::string &window) const { return m_shell->View(window); }
    // Waits until the window shows a line with the text; its record.
    std::optional<FakeConversationView::Line> WaitForShown(const std::string &window, const std::string &text)
    {
        std::optional<FakeConversationView::Line> shown;
        WaitFor(
            [&] {
                if (FakeConversationView *view = View(window))
                    for (const FakeConversationView::Line &line : view->Lines())
                        if (line.text == text)
                            shown = line;
                return shown.has_value();
            },
            kWaitMs);
        return shown;
    }
    int CountShown(const std::string &window, const std::string &text) const
    {
        FakeConversationView *view = View(window);
        return view ? view->CountLines(text) : 0;
    }
    // The lines of today's log of the window, in file order.
    std::vector<std::string> Logged(const std::string &network, const std::string &window) const
    {
        char day[16];
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        std::strftime(day, sizeof day, "%Y-%m-%d", &local);
        QFile file(QString::fromStdString(DefaultLogDirectory() + "/" + network + "/" + window + "/" + day + ".log"));
        std::vector<std::string> lines;
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray &line : file.readAll().split('\n'))
                if (!line.isEmpty())
                    lines.push_back(line.toStdString());
        return lines;
    }
    static std::string Clock(int64_t time)
    {
        const std::time_t seconds = static_cast<std::time_t>(time);
        std::tm local{};
        localtime_r(&seconds, &local);
        char text[16];
        std::strftime(text, sizeof text, "%H:%M:%S", &local);
        return text;
    }
    // Where the log line that ends with "<nick> text" is, -1 when it is not; fails when it is there twice.
    static int PlaceOf(const std::vector<std::string> &lines, const std::string &nickAndText)
    {
        int place = -1;
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].size() > 9 && lines[i].substr(9) == nickAndText) {
                EXPECT_EQ(place, -1) << "logged twice: " << nickAndText;
                place = int(i);
            }
        return place;
    }

    NgircdServer m_ircd;
    std::unique_ptr<ZncServer> m_znc;
    CommandDispatcher m_commands;
    std::unique_ptr<FakeShell> m_shell;
    std::unique_ptr<SessionTable> m_table;
    std::unique_ptr<ConversationLog> m_log;
    RawIrcClient m_bob;
    RawIrcClient m_phone;
};

TEST_F(ZncBouncerTest, MissedLinesAreShownAndLoggedOnceAtTheirTimeAcrossTwoAttachments)
{
    const std::string channel = ZncServer::kChannel;
    const std::string me = ZncServer::kNick;
    // The phone stays attached throughout: what it sees, the bouncer has kept.
    AttachPhone();
    const int64_t firstSaid = std::time(nullptr);
    m_bob.SendLine("PRIVMSG " + channel + " :prvá vec, kým nikto nebol pri počítači");
    m_bob.SendLine("PRIVMSG " + me + " :súkromná vec");
    ASSERT_TRUE(m_phone.WaitForText("súkromná vec"));

    // The first attachment: played back at their own time, after the separator, no question.
    Session *brimo = Attach(kEntry);
    EXPECT_TRUE(WaitFor([&] { return brimo->Nick() == me; }, kWaitMs)) << brimo->Nick();
    // What the bouncer offers of its own; the rest it offers as the server behind it does.
    for (const char *capability : {"batch", "server-time", "echo-message", "znc.in/self-message", "userhost-in-names"})
        EXPECT_TRUE(brimo->Caps().IsEnabled(capability)) << capability;
    for (std::string_view capability : Capabilities::Wanted())
        EXPECT_EQ(brimo->Caps().IsEnabled(capability),
                  brimo->Caps().IsOffered(capability) && capability != "znc.in/server-time-iso")
            << capability;
    const auto first = WaitForShown(channel, "bob: prvá vec, kým nikto nebol pri počítači");
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->shown, Shown::PlayedBack);
    EXPECT_GE(first->time, firstSaid);
    EXPECT_LE(first->time, firstSaid + 2);
    EXPECT_TRUE(View(channel)->HasLine("— prehrané z bouncera —"));
    const auto secret = WaitForShown("bob", "bob: súkromná vec");
    ASSERT_TRUE(secret.has_value());
    EXPECT_EQ(secret->shown, Shown::PlayedBack);
    EXPECT_TRUE(m_shell->m_questions.empty());

    // The phone's lines are ours, in the channel and in the private window with bob.
    m_phone.SendLine("PRIVMSG " + channel + " :z telefónu");
    m_phone.SendLine("PRIVMSG bob :aj súkromne z telefónu");
    const auto fromPhone = WaitForShown(channel, me + ": z telefónu");
    ASSERT_TRUE(fromPhone.has_value());
    EXPECT_EQ(fromPhone->shown, Shown::Live);
    EXPECT_TRUE(WaitForShown("bob", me + ": aj súkromne z telefónu").has_value());
    EXPECT_TRUE(m_bob.WaitForText("aj súkromne z telefónu"));
    EXPECT_EQ(CountShown(channel, me + ": z telefónu"), 1);

    // The bouncer answers in its own window.
    brimo->Command(brimo->Key(), 1, "/msg *status help");
    ASSERT_TRUE(WaitFor([&] { return View("*status") && !View("*status")->Lines().empty(); }, kWaitMs));
    EXPECT_TRUE(m_shell->m_questions.empty());

    // A restart; meanwhile bob says one more thing.
    StopProgram();
    const int64_t secondSaid = std::time(nullptr);
    m_bob.SendLine("PRIVMSG " + channel + " :druhá vec, keď Brimo nebežal");
    ASSERT_TRUE(m_phone.WaitForText("druhá vec"));
    StartProgram();
    Attach(kEntry);
    const auto second = WaitForShown(channel, "bob: druhá vec, keď Brimo nebežal");
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->shown, Shown::PlayedBack);
    EXPECT_GE(second->time, secondSaid);
    // What the log has already is not shown again: the buffer came before the new line.
    EXPECT_EQ(CountShown(channel, "bob: prvá vec, kým nikto nebol pri počítači"), 0);
    EXPECT_EQ(CountShown(channel, me + ": z telefónu"), 0);
    StopProgram();

    // Every line logged once, at the time it was said, in order.
    const std::vector<std::string> logged = Logged("ZNC", channel);
    const int firstAt = PlaceOf(logged, "<bob> prvá vec, kým nikto nebol pri počítači");
    const int phoneAt = PlaceOf(logged, "<" + me + "> z telefónu");
    const int secondAt = PlaceOf(logged, "<bob> druhá vec, keď Brimo nebežal");
    ASSERT_GE(firstAt, 0);
    EXPECT_LT(firstAt, phoneAt);
    EXPECT_LT(phoneAt, secondAt);
    EXPECT_EQ(logged[size_t(firstAt)].substr(0, 8), Clock(first->time));
    EXPECT_EQ(logged[size_t(secondAt)].substr(0, 8), Clock(second->time));
    for (size_t i = 1; i < logged.size(); ++i)
        EXPECT_LE(SecondOfLogLine(logged[i - 1]), SecondOfLogLine(logged[i])) << logged[i];
    const std::vector<std::string> privately = Logged("ZNC", "bob");
    EXPECT_GE(PlaceOf(privately, "<bob> súkromná vec"), 0);
    EXPECT_GE(PlaceOf(privately, "<" + me + "> aj súkromne z telefónu"), 0);
}

TEST_F(ZncBouncerTest, SeveralEntriesAttachToSeveralNetworksOfOneBouncerAtOnce)
{
    Session *first = Attach(kEntry);
    Session *second = Attach(kSecondEntry);
    EXPECT_TRUE(WaitFor([&] { return first->Nick() == ZncServer::kNick; }, kWaitMs)) << first->Nick();
    EXPECT_TRUE(WaitFor([&] { return second->Nick() == ZncServer::kSecondNick; }, kWaitMs)) << second->Nick();
    EXPECT_TRUE(first->IsConnected());
    EXPECT_EQ(first->ConfName(), kEntry);
    EXPECT_EQ(second->ConfName(), kSecondEntry);
    // Each hears its own network's nick.
    m_bob.SendLine(std::string("PRIVMSG ") + ZncServer::kSecondNick + " :pre druhú sieť");
    ASSERT_TRUE(WaitForShown("bob", "bob: pre druhú sieť").has_value());
    EXPECT_NE(second->FindWindow("bob"), nullptr);
    EXPECT_EQ(first->FindWindow("bob"), nullptr);
}

TEST_F(ZncBouncerTest, APlainServerWithoutAnyOfItStillWorks)
{
    WriteString(kBaseSection, "Nick", "brimo");
    Session *plain = m_table->CreateSession("127.0.0.1", m_ircd.Port(), "");
    ASSERT_TRUE(WaitFor([&] { return plain->IsConnected() && !plain->IsConnecting(); }, kWaitMs));
    for (const char *capability : {"batch", "server-time", "echo-message", "znc.in/self-message"})
        EXPECT_FALSE(plain->Caps().IsEnabled(capability)) << capability;
    plain->Command(plain->Key(), 1, std::string("/join ") + ZncServer::kChannel);
    ASSERT_TRUE(m_bob.WaitForText("JOIN"));
    m_bob.SendLine(std::string("PRIVMSG ") + ZncServer::kChannel + " :priamo");
    const auto line = WaitForShown(ZncServer::kChannel, "bob: priamo");
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->shown, Shown::Live);
    EXPECT_EQ(View(ZncServer::kChannel)->CountLines("— prehrané z bouncera —"), 0);
}

} // namespace
