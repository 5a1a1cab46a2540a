// SASL during registration against a scripted server that answers with each
// reply a server may give.
#include <gtest/gtest.h>

#include <QByteArray>

#include "../session/SessionFixture.h"

namespace {

class Sasl : public SessionFixture
{
protected:
    // Connects with SASL configured and plays the negotiation up to the
    // server's "AUTHENTICATE +".
    Session *ConnectWithSasl(const std::string &entry)
    {
        WriteString("Servers", "Net", "127.0.0.1 " + std::to_string(m_server.Port()) + " 0");
        WriteString("SASL", "Net", entry);
        WriteString("SASL Passwords", "Net", "s3cret");
        Session *session = ConnectSession();
        m_server.SendLine(":irc.test CAP * LS :server-time sasl=PLAIN,EXTERNAL");
        std::string request;
        EXPECT_TRUE(m_server.WaitForLineStartingWith("CAP REQ", 10000, &request));
        EXPECT_EQ(request, "CAP REQ :server-time sasl");
        m_server.SendLine(":irc.test CAP * ACK :server-time sasl");
        return session;
    }

    // Whether the session sent a line starting with prefix so far.
    bool Sent(const std::string &prefix) const
    {
        for (const std::string &line : m_server.Lines()) {
            if (line.rfind(prefix, 0) == 0)
                return true;
        }
        return false;
    }

    static std::string Plain(const std::string &account, const std::string &password)
    {
        const std::string text = account + '\0' + account + '\0' + password;
        return QByteArray(text.data(), static_cast<qsizetype>(text.size())).toBase64().toStdString();
    }
};

TEST_F(Sasl, PlainLogsInBeforeTheNegotiationEnds)
{
    Session *session = ConnectWithSasl("PLAIN alice");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE PLAIN"));
    EXPECT_FALSE(Sent("CAP END"));
    m_server.SendLine("AUTHENTICATE :+");
    std::string answer;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE ", 10000, &answer));
    EXPECT_EQ(answer, "AUTHENTICATE " + Plain("alice", "s3cret"));
    m_server.SendLine(":irc.test 900 brimo brimo!u@h alice :You are now logged in as alice");
    m_server.SendLine(":irc.test 903 brimo :SASL authentication successful");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP END"));
    EXPECT_TRUE(ServerView(session)->HasLine("* Si prihlásený k účtu alice"));
    EXPECT_TRUE(ServerView(session)->HasLine("* Prihlásenie SASL sa podarilo"));
    EXPECT_EQ(session->AccountOf("brimo"), "alice");
}

// An answer goes in lines of 400 bytes; one that fills its last line is
// followed by "AUTHENTICATE +" so the server knows it has ended.
TEST_F(Sasl, ALongAnswerGoesInChunksOfFourHundredBytes)
{
    struct Row
    {
        size_t passwordBytes; // with "alice\0alice\0": 12 bytes more before encoding
        std::vector<size_t> chunks;
        bool plusAfter;
    };
    const Row rows[] = {
        {288, {400}, true},      // exactly 400
        {289, {400, 4}, false},  // 404
        {585, {400, 396}, false}, // 796
        {588, {400, 400}, true}, // exactly 800
    };
    int connections = 0;
    for (const Row &row : rows) {
        const std::string password(row.passwordBytes, 'p');
        WriteString("Servers", "Net", "127.0.0.1 " + std::to_string(m_server.Port()) + " 0");
        WriteString("SASL", "Net", "PLAIN alice");
        WriteString("SASL Passwords", "Net", password);
        Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), std::string());
        ASSERT_TRUE(m_server.WaitForClient(++connections));
        ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
        m_server.SendLine(":irc.test CAP * LS :sasl=PLAIN");
        ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP REQ"));
        m_server.SendLine(":irc.test CAP * ACK :sasl");
        ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE PLAIN"));
        m_server.ClearLines();
        m_server.SendLine("AUTHENTICATE +");
        const size_t expected = row.chunks.size() + (row.plusAfter ? 1 : 0);
        ASSERT_TRUE(WaitFor([&] { return m_server.Lines().size() >= expected; }));
        // A failure ends the negotiation: every line of the answer is in by then.
        m_server.SendLine(":irc.test 904 brimo :SASL authentication failed");
        ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP END"));

        std::vector<std::string> answer;
        for (const std::string &line : m_server.Lines()) {
            if (line.rfind("AUTHENTICATE ", 0) == 0)
                answer.push_back(line.substr(13));
        }
        ASSERT_EQ(answer.size(), expected) << row.passwordBytes;
        std::string joined;
        for (size_t i = 0; i < row.chunks.size(); ++i) {
            EXPECT_EQ(answer[i].size(), row.chunks[i]) << row.passwordBytes;
            joined += answer[i];
        }
        EXPECT_EQ(joined, Plain("alice", password));
        if (row.plusAfter) {
            EXPECT_EQ(answer.back(), "+") << row.passwordBytes;
        }
        m_table->CloseSession(session->Key());
        m_server.ClearLines();
    }
}

TEST_F(Sasl, ExternalAnswersWithAnEmptyResponse)
{
    ConnectWithSasl("external");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE EXTERNAL"));
    m_server.SendLine("AUTHENTICATE +");
    std::string answer;
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE ", 10000, &answer));
    EXPECT_EQ(answer, "AUTHENTICATE +");
}

TEST_F(Sasl, EveryFailureIsShownAndRegistrationGoesOn)
{
    struct Row
    {
        int numeric;
        const char *reason;
    };
    const Row rows[] = {{902, "You must use a nick assigned to you"},
                        {904, "SASL authentication failed"},
                        {905, "SASL message too long"},
                        {906, "SASL authentication aborted"},
                        {907, "You have already authenticated using SASL"}};
    for (const Row &row : rows) {
        m_server.ClearLines();
        Session *session = ConnectWithSasl("PLAIN alice");
        ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE PLAIN"));
        m_server.SendLine("AUTHENTICATE +");
        ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE "));
        if (row.numeric == 904)
            m_server.SendLine(":irc.test 908 brimo PLAIN,EXTERNAL :are available SASL mechanisms");
        m_server.SendLine(":irc.test " + std::to_string(row.numeric) + " brimo :" + row.reason);
        ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP END")) << row.numeric;
        EXPECT_TRUE(ServerView(session)->HasLine("* Prihlásenie SASL zlyhalo (" + std::to_string(row.numeric)
                                                 + "): " + row.reason));
        if (row.numeric == 904) {
            EXPECT_TRUE(ServerView(session)->HasLine("* Server pozná tieto spôsoby prihlásenia SASL: PLAIN,EXTERNAL"));
        }
        EXPECT_FALSE(Sent("QUIT"));
        m_table->CloseSession(session->Key());
    }
}

TEST_F(Sasl, ARequiredLoginThatFailsEndsTheConnectionForGood)
{
    Session *session = ConnectWithSasl("PLAIN alice 1");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE PLAIN"));
    m_server.SendLine("AUTHENTICATE +");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE "));
    m_server.SendLine(":irc.test 904 brimo :SASL authentication failed");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("QUIT"));
    EXPECT_FALSE(Sent("CAP END"));
    EXPECT_TRUE(session->IsRefusedForGood());
    EXPECT_TRUE(ServerView(session)->HasLineContaining("* Prihlásenie SASL je povinné"));
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    session->Command("", 0, "/timer 0");
    EXPECT_FALSE(session->IsConnecting());
    EXPECT_EQ(m_server.ConnectionCount(), 1);
}

TEST_F(Sasl, ARequiredMechanismTheServerLacksStopsAndChallengesOutOfOrderAbort)
{
    WriteString("Servers", "Net", "127.0.0.1 " + std::to_string(m_server.Port()) + " 0");
    WriteString("SASL", "Net", "PLAIN alice 1");
    Session *session = ConnectSession();
    m_server.SendLine(":irc.test CAP * LS :server-time");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP REQ"));
    m_server.SendLine(":irc.test CAP * ACK :server-time");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("QUIT"));
    EXPECT_TRUE(ServerView(session)->HasLine("* Server neponúka prihlásenie SASL PLAIN"));
    m_table->CloseSession(session->Key());

    // A challenge where none belongs: the login is aborted, registration goes on.
    m_server.ClearLines();
    session = ConnectWithSasl("PLAIN alice");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE PLAIN"));
    m_server.SendLine("AUTHENTICATE " + std::string(400, 'Q'));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("AUTHENTICATE *"));
    EXPECT_TRUE(ServerView(session)->HasLineContaining("nečakanú výzvu"));
    m_server.SendLine("AUTHENTICATE +");
    m_server.SendLine(":irc.test 906 brimo :SASL authentication aborted");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("CAP END"));
    EXPECT_FALSE(Sent("AUTHENTICATE " + Plain("alice", "s3cret")));
}

} // namespace
