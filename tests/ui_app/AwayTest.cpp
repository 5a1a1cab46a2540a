// Away is the user's word only: minimising the main window or the last
// window, or leaving the program for another, sends nothing to the server
// (a bouncer keeps the user present for others); "/away" goes out as typed.
#include "AppFixture.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "conversation/Conversation.h"
#include "session/Session.h"
#include "windows/ConversationWindow.h"

#include <QMdiSubWindow>
#include <QTest>

namespace {

class AwayTest : public AppFixture
{
protected:
    // Everything the session sent has reached the server; the lines since start.
    std::vector<std::string> SentSoFar()
    {
        m_session->SendLine("SYNC " + std::to_string(++m_syncs));
        const std::string mark = "SYNC " + std::to_string(m_syncs);
        EXPECT_TRUE(m_server.WaitForLine([&](const std::string &line) { return line == mark; }));
        return m_server.Lines();
    }
    static int CountAway(const std::vector<std::string> &lines)
    {
        int away = 0;
        for (const std::string &line : lines)
            away += line.rfind("AWAY", 0) == 0 ? 1 : 0;
        return away;
    }

    Session *m_session = nullptr;
    int m_syncs = 0;
};

TEST_F(AwayTest, MinimisingOrLeavingSendsNothingAndAwayGoesOutAsTyped)
{
    m_session = StartConnected();
    ASSERT_TRUE(m_session);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    ConversationWindow *channel = JoinedChannel(m_session, "#brimo");
    ASSERT_TRUE(channel);
    ASSERT_TRUE(WaitFor([&] { return channel->IsBeingRead(); }));

    channel->SubWindow()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return !channel->IsBeingRead(); }));
    QWidget elsewhere;
    elsewhere.resize(200, 100);
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    Frame()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return Frame()->isMinimized(); }));
    PumpEvents(300); // whatever minimising would start has its chance
    EXPECT_EQ(CountAway(SentSoFar()), 0);
    EXPECT_FALSE(m_session->IsAway());

    Frame()->showNormal();
    m_session->Command("#brimo", 1, "/away na obede");
    const std::vector<std::string> sent = SentSoFar();
    EXPECT_EQ(CountAway(sent), 1);
    EXPECT_NE(std::find(sent.begin(), sent.end(), "AWAY :na obede"), sent.end());
}

} // namespace
