#include "AppFixture.h"
#include "support/FakeNotificationServer.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "conversation/Question.h"
#include "desktop/DesktopAlerts.h"
#include "dialogs/QuestionDialog.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "shell/QuestionQueue.h"
#include "windows/ConversationWindow.h"

#include <QMdiSubWindow>

#include <memory>

namespace {

// The application on a private bus where the test's notification service
// runs (or not, until the test registers it).
class DesktopNotificationsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(m_bus.Start());
        static int round = 0;
        ++round;
        m_serverName = QStringLiteral("notifications%1").arg(round);
        m_appName = QStringLiteral("app%1").arg(round);
        m_service = std::make_unique<FakeNotificationServer>(m_bus.Connection(m_serverName));
        m_beforeStart = [this](BrimoApp &app) { app.SetDesktopBus(m_bus.Connection(m_appName)); };
    }

    void TearDown() override
    {
        StopApp();
        m_service.reset();
        QDBusConnection::disconnectFromBus(m_appName);
        QDBusConnection::disconnectFromBus(m_serverName);
        AppFixture::TearDown();
    }

    // Connected, in #room and #other; #other is the window the user looks at.
    void StartInTwoChannels(const std::string &baseKeys = {})
    {
        Session *session = StartConnected(baseKeys);
        ASSERT_TRUE(session);
        m_room = JoinedChannel(session, "#room");
        m_other = JoinedChannel(session, "#other");
        ASSERT_TRUE(m_room && m_other);
        m_other->Activate();
        ASSERT_TRUE(WaitFor([&] { return Frame()->ActiveChild() == m_other->SubWindow(); }));
    }

    void ServiceRuns()
    {
        ASSERT_TRUE(m_service->Register());
        ASSERT_TRUE(WaitFor([&] { return m_app->Alerts()->Service().IsRunning(); }));
    }

    PrivateBus m_bus;
    QString m_serverName, m_appName;
    std::unique_ptr<FakeNotificationServer> m_service;
    ConversationWindow *m_room = nullptr;
    ConversationWindow *m_other = nullptr;
};

} // namespace

TEST_F(DesktopNotificationsTest, ALineNamingUsInAnotherWindowIsNotifiedAndItsActionShowsThatWindow)
{
    ASSERT_NO_FATAL_FAILURE(StartInTwoChannels());
    ASSERT_NO_FATAL_FAILURE(ServiceRuns());
    m_server.SendLine(":ann!a@h PRIVMSG #other :tester: tu sa pozeras");
    m_server.SendLine(":ann!a@h PRIVMSG #room :hej \x02tester\x02, <pozri> sem");
    ASSERT_TRUE(WaitFor([&] { return m_service->m_calls.size() == 1; }));
    PumpEvents(100);
    ASSERT_EQ(m_service->m_calls.size(), 1u) << "the window the user reads tells of itself";
    const FakeNotificationServer::Call call = m_service->m_calls[0];
    EXPECT_EQ(call.summary, QStringLiteral("ann v #room"));
    EXPECT_EQ(call.body, QStringLiteral("hej tester, &lt;pozri&gt; sem"));
    EXPECT_EQ(m_app->Balloons().Size(), 0u) << "no balloon beside the notification";

    m_service->EmitActionInvoked(call.answeredId, QStringLiteral("default"));
    ASSERT_TRUE(WaitFor([&] { return Frame()->ActiveChild() == m_room->SubWindow(); }));
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(DesktopNotificationsTest, APrivateMessageFromTheTrayBringsTheProgramBack)
{
    ASSERT_NO_FATAL_FAILURE(StartInTwoChannels("Enable Tray=True\nHide Minimized=True\n"));
    ASSERT_NO_FATAL_FAILURE(ServiceRuns());
    Frame()->SetTrayAvailability([] { return true; });
    Frame()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return !Frame()->isVisible(); }));

    m_server.SendLine(":bob!b@h PRIVMSG tester :ahoj");
    m_server.SendLine(":bob!b@h PRIVMSG tester :si tam?");
    ASSERT_TRUE(WaitFor([&] {
        return !m_service->m_calls.empty() && m_service->m_calls.back().body == QStringLiteral("ahoj\nsi tam?");
    }));
    EXPECT_EQ(m_service->m_calls.front().summary, QStringLiteral("bob"));
    EXPECT_EQ(m_service->m_calls.back().replacesId, m_service->m_calls.front().answeredId);

    m_service->EmitActionInvoked(m_service->m_calls.front().answeredId, QStringLiteral("default"));
    ASSERT_TRUE(WaitFor([&] { return Frame()->isVisible(); }));
    Session *session = m_app->Sessions().Sessions().front();
    Conversation *shown = session->FindWindow("bob");
    if (!shown)
        shown = session->ServerWindow(); // no window of its own: the line went to the status window
    auto *window = dynamic_cast<ConversationWindow *>(shown->View());
    ASSERT_TRUE(window);
    EXPECT_TRUE(WaitFor([&] { return Frame()->ActiveChild() == window->SubWindow(); }));
}

TEST_F(DesktopNotificationsTest, WithoutTheServiceATrayBalloonAndWithTheSwitchOffNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartInTwoChannels());
    PumpEvents(200);
    m_server.SendLine(":ann!a@h PRIVMSG #room :tester: bez sluzby");
    ASSERT_TRUE(WaitFor([&] { return m_app->Balloons().Size() == 1; }));
    EXPECT_TRUE(m_service->m_calls.empty());
    m_app->Balloons().Clear();

    ASSERT_NO_FATAL_FAILURE(ServiceRuns());
    m_app->Settings().m_desktopNotifications = false;
    m_server.SendLine(":ann!a@h PRIVMSG #room :tester: vypnute");
    ASSERT_TRUE(WaitFor([&] { return ShownLines(m_room).join('\n').contains(QStringLiteral("vypnute")); }));
    PumpEvents(200);
    EXPECT_TRUE(m_service->m_calls.empty());
    EXPECT_EQ(m_app->Balloons().Size(), 0u);
}

TEST_F(DesktopNotificationsTest, AnOfferWhileTheProgramIsNotActiveIsNotifiedAndItsActionShowsTheQuestion)
{
    ASSERT_NO_FATAL_FAILURE(StartInTwoChannels());
    ASSERT_NO_FATAL_FAILURE(ServiceRuns());
    const std::string key = m_app->Sessions().Sessions().front()->Key();
    m_app->AskQuestion(Question::ForRequest(Question::DccChat, "ann!a@h", key));
    PumpEvents(100);
    EXPECT_TRUE(m_service->m_calls.empty()) << "the user looks at the program and sees the question";
    m_app->AnswerQuestion(QuestionQueue::Answer::Decline);

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return !m_app->IsMainWindowActive(); }));
    const Question offer = Question::ForRequest(Question::DccFile, "ann!a@h", key, "fotka.jpg", 2048);
    m_app->AskQuestion(offer);
    ASSERT_TRUE(WaitFor([&] { return m_service->m_calls.size() == 1; }));
    EXPECT_EQ(m_service->m_calls[0].summary, QStringLiteral("ann"));
    EXPECT_TRUE(m_service->m_calls[0].body.contains(QStringLiteral("ti posiela súbor &quot;fotka.jpg&quot;")))
        << m_service->m_calls[0].body.toStdString();
    ASSERT_TRUE(WaitFor([&] { return m_app->ShownQuestion() != nullptr; }));

    m_service->EmitActionInvoked(m_service->m_calls[0].answeredId, QStringLiteral("default"));
    EXPECT_TRUE(WaitFor([&] { return m_app->ShownQuestion()->isActiveWindow(); }));
}
