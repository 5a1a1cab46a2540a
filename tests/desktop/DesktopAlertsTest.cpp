#include <gtest/gtest.h>

#include "desktop/DesktopAlerts.h"
#include "support/FakeNotificationServer.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#include <memory>
#include <vector>

namespace {

// A private bus, a recording notification service on it (not yet
// registered) and the alerts of the program on a connection of their own.
class DesktopAlertsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bus.Start());
        static int round = 0;
        ++round;
        m_serverName = QStringLiteral("server%1").arg(round);
        m_clientName = QStringLiteral("client%1").arg(round);
        m_server = std::make_unique<FakeNotificationServer>(m_bus.Connection(m_serverName));
        m_alerts = std::make_unique<DesktopAlerts>(m_bus.Connection(m_clientName));
        m_alerts->SetFallback([this](const UserAlert &alert) { m_fallbacks.push_back(alert); });
        m_alerts->SetBringForward([this](const UserAlert &alert) { m_broughtForward.push_back(alert); });
    }

    void TearDown() override
    {
        m_alerts.reset();
        m_server.reset();
        QDBusConnection::disconnectFromBus(m_clientName);
        QDBusConnection::disconnectFromBus(m_serverName);
    }

    void StartService()
    {
        ASSERT_TRUE(m_server->Register());
        ASSERT_TRUE(WaitFor([&] { return m_alerts->Service().IsRunning(); }));
    }

    static UserAlert Private(const std::string &text)
    {
        return {UserAlert::Kind::PrivateMessage, "irc.test:6667", "bob", "bob", text};
    }

    PrivateBus m_bus;
    QString m_serverName, m_clientName;
    std::unique_ptr<FakeNotificationServer> m_server;
    std::unique_ptr<DesktopAlerts> m_alerts;
    std::vector<UserAlert> m_fallbacks;
    std::vector<UserAlert> m_broughtForward;
};

} // namespace

TEST_F(DesktopAlertsTest, WithoutTheServiceOnTheBusAnAlertGoesToTheTrayBalloon)
{
    PumpEvents(200); // the answer whether the name has an owner comes
    EXPECT_FALSE(m_alerts->Service().IsRunning());
    m_alerts->Present(Private("ahoj"));
    ASSERT_EQ(m_fallbacks.size(), 1u);
    EXPECT_EQ(m_fallbacks[0].text, "ahoj");
    EXPECT_EQ(m_alerts->NotificationsSent(), 0);

    // The service comes, and goes again.
    StartService();
    m_alerts->Present(Private("teraz"));
    ASSERT_TRUE(WaitFor([&] { return m_server->m_calls.size() == 1; }));
    EXPECT_EQ(m_fallbacks.size(), 1u);
    m_server->Unregister();
    ASSERT_TRUE(WaitFor([&] { return !m_alerts->Service().IsRunning(); }));
    m_alerts->Present(Private("zase bez"));
    EXPECT_EQ(m_fallbacks.size(), 2u);
}

TEST_F(DesktopAlertsTest, ANotificationHasTheSenderPlainTextAndADefaultAction)
{
    StartService();
    m_alerts->Present(
        {UserAlert::Kind::Mention, "irc.test:6667", "#brimo", "ann", "\x02pozri\x02 <a href=x>sem</a> & tam"});
    ASSERT_TRUE(WaitFor([&] { return m_server->m_calls.size() == 1; }));
    const FakeNotificationServer::Call &call = m_server->m_calls[0];
    EXPECT_EQ(call.appName, QStringLiteral("Brimo"));
    EXPECT_EQ(call.replacesId, 0u);
    EXPECT_EQ(call.summary, QStringLiteral("ann v #brimo"));
    EXPECT_EQ(call.body, QStringLiteral("pozri &lt;a href=x&gt;sem&lt;/a&gt; &amp; tam"));
    ASSERT_GE(call.actions.size(), 2);
    EXPECT_EQ(call.actions[0], QStringLiteral("default"));
    EXPECT_EQ(call.actions[1], QStringLiteral("Zobraziť"));
    EXPECT_EQ(call.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("sk.brimo.Brimo"));
    EXPECT_TRUE(m_fallbacks.empty());
}

TEST_F(DesktopAlertsTest, RepeatedLinesOfOneSenderReplaceTheirNotification)
{
    StartService();
    // "dva" and "tri" come before the service answered "jeden" with its id:
    // they go out together as its update once the id is known.
    m_alerts->Present(Private("jeden"));
    m_alerts->Present(Private("dva"));
    m_alerts->Present(Private("tri"));
    m_alerts->Present({UserAlert::Kind::PrivateMessage, "irc.test:6667", "ann", "ann", "ina"});
    ASSERT_TRUE(WaitFor([&] { return m_server->m_calls.size() == 3; }));
    PumpEvents(100);
    ASSERT_EQ(m_server->m_calls.size(), 3u);
    const uint first = m_server->m_calls[0].answeredId;
    EXPECT_EQ(m_server->m_calls[0].body, QStringLiteral("jeden"));
    EXPECT_EQ(m_server->m_calls[1].summary, QStringLiteral("ann"));
    EXPECT_EQ(m_server->m_calls[1].replacesId, 0u) << "another sender gets a notification of its own";
    EXPECT_EQ(m_server->m_calls[2].replacesId, first);
    EXPECT_EQ(m_server->m_calls[2].body, QStringLiteral("jeden\ndva\ntri"));

    // Answered: the next line updates the same notification at once.
    m_alerts->Present(Private("styri"));
    ASSERT_TRUE(WaitFor([&] { return m_server->m_calls.size() == 4; }));
    EXPECT_EQ(m_server->m_calls[3].replacesId, first);
    EXPECT_EQ(m_server->m_calls[3].body, QStringLiteral("jeden\ndva\ntri\nstyri"));
}

TEST_F(DesktopAlertsTest, TheDefaultActionBringsItsWindowForward)
{
    StartService();
    m_alerts->Present({UserAlert::Kind::Mention, "irc.test:6667", "#brimo", "ann", "bob: tu"});
    ASSERT_TRUE(WaitFor([&] { return m_server->m_calls.size() == 1; }));
    const uint id = m_server->m_calls[0].answeredId;
    PumpEvents(50); // the answer with the id reaches the program

    m_server->EmitActionInvoked(id, QStringLiteral("other"));
    m_server->EmitActionInvoked(id + 1, QStringLiteral("default"));
    m_server->EmitActionInvoked(id, QStringLiteral("default"));
    ASSERT_TRUE(WaitFor([&] { return !m_broughtForward.empty(); }));
    PumpEvents(50);
    ASSERT_EQ(m_broughtForward.size(), 1u) << "only the default action of a notification of ours";
    EXPECT_EQ(m_broughtForward[0].window, "#brimo");
    EXPECT_EQ(m_broughtForward[0].sessionKey, "irc.test:6667");

    // Closed: it is gone from the desktop, the next line makes a new one.
    m_server->EmitClosed(id);
    PumpEvents(100);
    m_server->EmitActionInvoked(id, QStringLiteral("default"));
    m_alerts->Present({UserAlert::Kind::Mention, "irc.test:6667", "#brimo", "ann", "bob: este"});
    ASSERT_TRUE(WaitFor([&] { return m_server->m_calls.size() == 2; }));
    EXPECT_EQ(m_server->m_calls[1].replacesId, 0u);
    EXPECT_EQ(m_broughtForward.size(), 1u);
}
