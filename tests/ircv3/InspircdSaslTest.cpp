// SASL PLAIN against a real chain: InspIRCd with Anope services on 127.0.0.1.
#include <gtest/gtest.h>

#include "config/Config.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/InspircdFixture.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

namespace {

class InspircdSasl : public InspircdFixture
{
protected:
    bool WithServices() const override { return true; }

    // Connects over TLS; the server's self-signed certificate is accepted
    // for good when the session asks about it.
    Session *ConnectWithPassword(const std::string &nick, const std::string &password)
    {
        WriteString(kBaseSection, "Nick", nick);
        WriteString("SASL", "Test", "PLAIN alice");
        WriteString("SASL Passwords", "Test", password);
        Session *session = m_table->CreateSession("127.0.0.1", m_ircd->TlsPort(), "Test", true);
        EXPECT_TRUE(WaitFor(
            [&] {
                if (session->IsAwaitingCertificateAnswer())
                    session->AnswerCertificate(Session::CertificateAnswer::AcceptAlways,
                                               m_shell.m_questions.back().fingerprint);
                return session->IsConnected() && !session->IsConnecting();
            },
            kRegisterMs))
            << m_ircd->Output();
        return session;
    }
};

TEST_F(InspircdSasl, TheRightPasswordLogsInAndAWrongOneStillRegisters)
{
    RawIrcClient alice;
    ASSERT_TRUE(alice.ConnectAndRegister(m_ircd->Port(), "alice", kRegisterMs));
    alice.SendLine("PRIVMSG NickServ :REGISTER s3cret");
    ASSERT_TRUE(alice.WaitForText("registered", kRegisterMs));
    alice.Disconnect();

    Session *session = ConnectWithPassword("brimo", "s3cret");
    FakeConversationView *server = m_shell.View(session->Key());
    EXPECT_TRUE(server->HasLine("* Si prihlásený k účtu alice"));
    EXPECT_TRUE(server->HasLine("* Prihlásenie SASL sa podarilo"));
    EXPECT_EQ(session->AccountOf("brimo"), "alice");
    m_table->CloseSession(session->Key());

    Session *wrong = ConnectWithPassword("brimo2", "wrong");
    FakeConversationView *wrongServer = m_shell.View(wrong->Key());
    EXPECT_TRUE(wrongServer->HasLineContaining("* Prihlásenie SASL zlyhalo (904)"));
    EXPECT_EQ(wrong->AccountOf("brimo2"), "");
}

} // namespace
