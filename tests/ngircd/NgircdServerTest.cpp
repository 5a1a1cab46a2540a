#include "support/NgircdServer.h"
#include "support/FreePort.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class NgircdServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!NgircdServer::IsAvailable())
            GTEST_SKIP() << NgircdServer::Executable() << " is not installed";
        ASSERT_TRUE(m_server.Start()) << m_server.Output();
    }

    NgircdServer m_server;
};

} // namespace

TEST_F(NgircdServerTest, RawClientRegistersAndIsWelcomed)
{
    EXPECT_TRUE(m_server.IsRunning());
    EXPECT_NE(m_server.Port(), 0);
    RawIrcClient client;
    ASSERT_TRUE(client.ConnectAndRegister(m_server.Port(), "rawclient")) << m_server.Output();
    EXPECT_EQ(client.Nick(), "rawclient");
    std::string welcome;
    for (const std::string &line : client.Lines())
        if (RawIrcClient::CommandOf(line) == "001")
            welcome = line;
    EXPECT_EQ(welcome.rfind(std::string(":") + NgircdServer::kServerName + " 001 rawclient ", 0), 0u) << welcome;

    // The server carries traffic between clients.
    RawIrcClient other;
    ASSERT_TRUE(other.ConnectAndRegister(m_server.Port(), "otherclient"));
    ASSERT_TRUE(client.SendLine("PRIVMSG otherclient :hello there"));
    std::string message;
    ASSERT_TRUE(other.WaitForCommand("PRIVMSG", 10000, &message));
    EXPECT_EQ(message.rfind(":rawclient!", 0), 0u) << message;
    EXPECT_NE(message.find("PRIVMSG otherclient :hello there"), std::string::npos);
}

TEST_F(NgircdServerTest, ConfigurationAllowsLongNicksManyClientsAndAnOperator)
{
    const std::string longNick = "abcdefghijklmnopqrstuvwxyz0123";
    ASSERT_EQ(longNick.size(), 30u);
    RawIrcClient longNamed;
    ASSERT_TRUE(longNamed.ConnectAndRegister(m_server.Port(), longNick));
    EXPECT_EQ(longNamed.Nick(), longNick);

    // More clients from 127.0.0.1 than ngircd allows by default, joining
    // and talking in quick succession without being throttled.
    std::vector<std::unique_ptr<RawIrcClient>> crowd;
    for (int i = 0; i < 8; ++i) {
        crowd.push_back(std::make_unique<RawIrcClient>());
        ASSERT_TRUE(crowd.back()->ConnectAndRegister(m_server.Port(), "crowd" + std::to_string(i)))
            << "client " << i << "\n"
            << m_server.Output();
        for (int channel = 0; channel < 12; ++channel)
            ASSERT_TRUE(crowd.back()->SendLine("JOIN #room" + std::to_string(channel)));
    }
    ASSERT_TRUE(crowd.front()->WaitForLine([](const std::string &line) {
        return RawIrcClient::CommandOf(line) == "JOIN" && line.find("#room11") != std::string::npos;
    }));

    ASSERT_TRUE(longNamed.SendLine(std::string("OPER ") + NgircdServer::kOperName + " " + NgircdServer::kOperPassword));
    EXPECT_TRUE(longNamed.WaitForCommand("381"));
}

TEST_F(NgircdServerTest, ClientAnswersThePingsOfTheFastTimeout)
{
    RawIrcClient client;
    ASSERT_TRUE(client.ConnectAndRegister(m_server.Port(), "pinged"));
    ASSERT_TRUE(client.WaitForCommand("PING", 20000));
    // The PONG kept the connection: the server still answers.
    ASSERT_TRUE(client.SendLine("PING :still-here"));
    ASSERT_TRUE(client.WaitForLine([](const std::string &line) {
        return RawIrcClient::CommandOf(line) == "PONG" && line.find("still-here") != std::string::npos;
    }));
    EXPECT_TRUE(client.IsConnected());
}

TEST_F(NgircdServerTest, StopsAndStartsAgainOnTheSamePort)
{
    const uint16_t port = m_server.Port();
    RawIrcClient client;
    ASSERT_TRUE(client.ConnectAndRegister(port, "survivor"));

    m_server.Stop();
    EXPECT_FALSE(m_server.IsRunning());
    ASSERT_TRUE(client.WaitForDisconnect());
    RawIrcClient refused;
    EXPECT_FALSE(refused.Connect(port)) << "nobody listens while the server is stopped";

    ASSERT_TRUE(m_server.Start()) << m_server.Output();
    EXPECT_EQ(m_server.Port(), port);
    RawIrcClient again;
    ASSERT_TRUE(again.ConnectAndRegister(port, "survivor")) << m_server.Output();
    EXPECT_EQ(again.Nick(), "survivor");
}

TEST(NgircdServerLifetimeTest, DestructorStopsTheServer)
{
    if (!NgircdServer::IsAvailable())
        GTEST_SKIP() << NgircdServer::Executable() << " is not installed";
    uint16_t port = 0;
    {
        NgircdServer server;
        ASSERT_TRUE(server.Start()) << server.Output();
        port = server.Port();
    }
    RawIrcClient client;
    EXPECT_FALSE(client.Connect(port));
}
