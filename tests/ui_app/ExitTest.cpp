#include "AppFixture.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/DebugLogWindow.h"
#include "app/MainWindow.h"
#include "session/Session.h"
#include "session/SessionTable.h"

using ExitTest = AppFixture;

TEST_F(ExitTest, ClosingTheMainWindowSendsQuitBeforeLeavingChannels)
{
    if (!NgircdServer::IsAvailable())
        GTEST_SKIP() << "ngircd is not installed";
    NgircdServer server;
    ASSERT_TRUE(server.Start()) << server.Output();
    const std::string config = "[Base]\nNick=odchod\nMsgs Quit=dovidenia vsetci\n[Servers]\nTest=127.0.0.1 "
        + std::to_string(server.Port()) + " 1\n";
    ASSERT_TRUE(StartApp(config, {"brimo", "debug"}));
    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    Session *session = m_app->Sessions().Sessions().front();
    ASSERT_TRUE(WaitFor([&] { return session->IsConnected() && !session->RegisteredNick().empty(); }));

    RawIrcClient observer;
    ASSERT_TRUE(observer.ConnectAndRegister(server.Port(), "pozorovatel"));
    ASSERT_TRUE(observer.SendLine("JOIN #brimo"));
    ASSERT_TRUE(observer.WaitForCommand("JOIN"));
    session->Command(session->Key(), 0, "/servermsg JOIN #brimo");
    ASSERT_TRUE(observer.WaitForLine([](const std::string &line) {
        return line.rfind(":odchod!", 0) == 0 && RawIrcClient::CommandOf(line) == "JOIN";
    }));

    Frame()->close();
    EXPECT_TRUE(m_app->HasExited());
    EXPECT_EQ(m_app->Sessions().Count(), 0u);
    std::string quit;
    ASSERT_TRUE(observer.WaitForLine(
        [](const std::string &line) {
            return line.rfind(":odchod!", 0) == 0 && RawIrcClient::CommandOf(line) == "QUIT";
        },
        10000, &quit));
    EXPECT_NE(quit.find("dovidenia vsetci"), std::string::npos);
    for (const std::string &line : observer.Lines())
        EXPECT_FALSE(line.rfind(":odchod!", 0) == 0 && RawIrcClient::CommandOf(line) == "PART") << line;
}
