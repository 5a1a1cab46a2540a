#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpSocket>

#include <memory>
#include <vector>

#include "session/IdentServer.h"
#include "support/WaitFor.h"

namespace {

std::string ExpectedReply()
{
#ifdef _WIN32
    const char *system = "WIN32";
#else
    const char *system = "UNIX";
#endif
    return std::string(" : USERID : ") + system + " : Brimo-" + std::to_string(QCoreApplication::applicationPid())
        + "\r\n";
}

// Sends a query and returns the whole answer, read until the server closes.
std::string Query(uint16_t port, const std::string &query)
{
    QTcpSocket client;
    client.connectToHost("127.0.0.1", port);
    if (!WaitFor([&] { return client.state() == QAbstractSocket::ConnectedState; }))
        return "no connection";
    client.write(query.data(), static_cast<qint64>(query.size()));
    std::string answer;
    WaitFor([&] {
        answer += client.readAll().toStdString();
        return client.state() == QAbstractSocket::UnconnectedState
            || (answer.size() >= 2 && answer.compare(answer.size() - 2, 2, "\r\n") == 0
                && client.state() == QAbstractSocket::ClosingState);
    });
    answer += client.readAll().toStdString();
    return answer;
}

TEST(IdentServer, AnswersEveryQueryWithTheSameLine)
{
    IdentServer ident(0, "127.0.0.1");
    ident.ApplyIdentSetting(true);
    ASSERT_TRUE(ident.Listening());
    ASSERT_NE(ident.ListeningPort(), 0);
    EXPECT_EQ(IdentServer::ReplyLine(), ExpectedReply());
    EXPECT_EQ(Query(ident.ListeningPort(), "6667, 40000\r\n"), ExpectedReply());
    EXPECT_EQ(Query(ident.ListeningPort(), "113 , 1\r\n"), ExpectedReply());
    EXPECT_EQ(Query(ident.ListeningPort(), ""), ExpectedReply());
}

TEST(IdentServer, SwitchingOffAndOnReopensTheListener)
{
    IdentServer ident(0, "127.0.0.1");
    ident.ApplyIdentSetting(true);
    ident.ApplyIdentSetting(true); // already listening: nothing changes
    ASSERT_NE(ident.ListeningPort(), 0);
    ident.ApplyIdentSetting(false);
    EXPECT_FALSE(ident.Listening());
    EXPECT_EQ(ident.ListeningPort(), 0);
    ident.ApplyIdentSetting(true);
    ASSERT_TRUE(ident.Listening());
    EXPECT_EQ(Query(ident.ListeningPort(), "1, 2\r\n"), ExpectedReply());
}

TEST(IdentServer, ABindFailureGoesToTheDebugLogAndIsNotRetried)
{
    IdentServer first(0, "127.0.0.1");
    first.ApplyIdentSetting(true);
    ASSERT_NE(first.ListeningPort(), 0);
    std::vector<std::string> log;
    IdentServer second(first.ListeningPort(), "127.0.0.1", [&](const std::string &t) { log.push_back(t); });
    second.ApplyIdentSetting(true);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("cannot listen"), std::string::npos);
    second.ApplyIdentSetting(true);
    EXPECT_EQ(log.size(), 1u);
}

TEST(IdentServer, TwoHundredQueriesLeaveNoConnectionBehind)
{
    IdentServer ident(0, "127.0.0.1");
    ident.ApplyIdentSetting(true);
    // Five at a time: the listener's backlog is five, as servers query one by one.
    for (int round = 0; round < 40; ++round) {
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int i = 0; i < 5; ++i) {
            clients.push_back(std::make_unique<QTcpSocket>());
            clients.back()->connectToHost("127.0.0.1", ident.ListeningPort());
        }
        std::vector<std::string> answers(clients.size());
        // Each client gets the reply and then sees the server end the connection.
        ASSERT_TRUE(WaitFor([&] {
            bool done = true;
            for (size_t i = 0; i < clients.size(); ++i) {
                answers[i] += clients[i]->readAll().toStdString();
                done =
                    done && answers[i] == ExpectedReply() && clients[i]->state() == QAbstractSocket::UnconnectedState;
            }
            return done;
        })) << "round "
            << round;
    }
    EXPECT_TRUE(WaitFor([&] { return ident.OpenConnections() == 0; }));
}

} // namespace
