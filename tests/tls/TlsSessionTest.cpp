// Sessions over TLS against real ngircd servers on 127.0.0.1 with
// certificates the tests make: self-signed, signed by a test authority the
// test trusts, made out to another host.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "conversation/Question.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/InspircdServer.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/TestCertificates.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

namespace {

class TlsSession : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        if (!NgircdServer::IsAvailable() || !TestCertificates::IsAvailable())
            GTEST_SKIP() << "ngircd or openssl is not installed";
        m_table = std::make_unique<SessionTable>(&m_shell, m_commands);
    }

    void TearDown() override
    {
        m_table.reset();
        m_ircd.reset();
        TestConfigDir::TearDown();
    }

    // Starts an ngircd whose TLS port shows the certificate of that name.
    void StartServer(const std::string &certificate)
    {
        m_ircd = std::make_unique<NgircdServer>();
        m_ircd->EnableTls(m_certificates.Certificate(certificate), m_certificates.Key(certificate));
        ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
    }

    Session *ConnectTls(const std::string &nick)
    {
        WriteString(kBaseSection, "Nick", nick);
        return m_table->CreateSession("127.0.0.1", m_ircd->TlsPort(), "", true);
    }

    static bool Registered(const Session *session)
    {
        return session && session->IsConnected() && !session->IsConnecting();
    }

    FakeConversationView *ServerView(const Session *session) const { return m_shell.View(session->Key()); }
    std::string Server() const { return "127.0.0.1:" + std::to_string(m_ircd->TlsPort()); }

    FakeShell m_shell;
    TestCertificates m_certificates;
    std::unique_ptr<NgircdServer> m_ircd;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
};

TEST_F(TlsSession, ASelfSignedCertificateIsAskedAboutAndAcceptedOnceForTheSession)
{
    ASSERT_TRUE(m_certificates.MakeSelfSigned("self", "IP:127.0.0.1"));
    StartServer("self");
    Session *session = ConnectTls("secure");
    ASSERT_TRUE(WaitFor([&] { return !m_shell.m_questions.empty(); })) << m_ircd->Output();

    // What the user is asked: the server, the reason and the fingerprint, in plain text.
    const Question &asked = m_shell.m_questions.front();
    EXPECT_EQ(asked.kind, Question::Certificate);
    EXPECT_EQ(asked.prefix, Server());
    EXPECT_EQ(asked.sessionKey, session->Key());
    EXPECT_EQ(asked.fingerprint, m_certificates.Fingerprint("self"));
    EXPECT_NE(asked.reasons.find("self"), std::string::npos) << asked.reasons; // "self-signed"
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnecting(); }));
    EXPECT_FALSE(session->IsConnected());
    EXPECT_TRUE(ServerView(session)->HasLineContaining("* Certifikát servera " + Server() + " sa nedá overiť"));

    // Nothing connects behind the user's back while the question is open.
    session->Command("", 0, "/timer 0");
    EXPECT_FALSE(session->IsConnecting());
    EXPECT_EQ(m_shell.m_questions.size(), 1u);

    session->AnswerCertificate(Session::CertificateAnswer::AcceptOnce, m_certificates.Fingerprint("self"));
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd->Output();
    EXPECT_TRUE(ServerView(session)->HasLineContaining("* Zabezpečené spojenie: TLSv1."));
    EXPECT_TRUE(ReadString("Certificates", Server()).empty());

    // Talk with a user on the plain port.
    RawIrcClient bob;
    ASSERT_TRUE(bob.ConnectAndRegister(m_ircd->Port(), "bob"));
    bob.SendLine("JOIN #tls");
    ASSERT_TRUE(bob.WaitForCommand("366"));
    session->Command("", 0, "/join #tls");
    ASSERT_TRUE(bob.WaitForText("JOIN"));
    bob.SendLine("PRIVMSG #tls :hello over tls");
    ASSERT_TRUE(
        WaitFor([&] { return m_shell.View("#tls") && m_shell.View("#tls")->HasLineContaining("hello over tls"); }));
    session->Command("#tls", 2, "/msg #tls and back");
    EXPECT_TRUE(bob.WaitForText("PRIVMSG #tls :and back"));

    // Accepted once holds for the next connection of the same session.
    m_ircd->Stop();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
    session->Command("", 0, "/reconnect");
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd->Output();
    EXPECT_EQ(m_shell.m_questions.size(), 1u);
}

TEST_F(TlsSession, AcceptedAlwaysIsStoredAndAChangedCertificateIsAskedAgainAndCanBeRefused)
{
    ASSERT_TRUE(m_certificates.MakeSelfSigned("first", "IP:127.0.0.1"));
    ASSERT_TRUE(m_certificates.MakeSelfSigned("second", "IP:127.0.0.1"));
    StartServer("first");
    Session *session = ConnectTls("keeper");
    ASSERT_TRUE(WaitFor([&] { return !m_shell.m_questions.empty() && !session->IsConnecting(); }));
    session->AnswerCertificate(Session::CertificateAnswer::AcceptAlways, m_certificates.Fingerprint("first"));
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd->Output();
    EXPECT_EQ(ReadString("Certificates", Server()), m_certificates.Fingerprint("first"));

    // A new session to the same server is not asked again.
    Session *later = ConnectTls("later");
    ASSERT_TRUE(WaitFor([&] { return Registered(later); })) << m_ircd->Output();
    EXPECT_EQ(m_shell.m_questions.size(), 1u);

    // The server's certificate changes: asked again, with the new fingerprint.
    m_table->CloseSession(later->Key());
    m_ircd->Stop();
    m_ircd->EnableTls(m_certificates.Certificate("second"), m_certificates.Key("second"));
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
    session->Command("", 0, "/reconnect");
    ASSERT_TRUE(WaitFor([&] { return m_shell.m_questions.size() == 2 && !session->IsConnecting(); }));
    EXPECT_EQ(m_shell.m_questions.back().fingerprint, m_certificates.Fingerprint("second"));
    EXPECT_FALSE(session->IsConnected());

    // An answer about another certificate settles nothing.
    session->AnswerCertificate(Session::CertificateAnswer::AcceptOnce, m_certificates.Fingerprint("first"));
    EXPECT_FALSE(session->IsConnecting());
    EXPECT_TRUE(session->IsAwaitingCertificateAnswer());

    session->AnswerCertificate(Session::CertificateAnswer::Refuse, m_certificates.Fingerprint("second"));
    EXPECT_TRUE(ServerView(session)->HasLine("* Certifikát servera " + Server() + " bol odmietnutý, nepripájam sa"));
    // Long after any back-off, still no attempt of its own.
    const int64_t muchLaterMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now().time_since_epoch() + std::chrono::hours(1))
                                    .count();
    session->SetClock([muchLaterMs] { return muchLaterMs; });
    session->Command("", 0, "/timer 0");
    EXPECT_FALSE(session->IsConnecting());
    EXPECT_FALSE(session->IsConnected());
    EXPECT_EQ(ReadString("Certificates", Server()), m_certificates.Fingerprint("first"));
}

TEST_F(TlsSession, ACertificateOfATrustedAuthorityConnectsWithoutAQuestionAndAWrongHostIsAskedAbout)
{
    ASSERT_TRUE(m_certificates.MakeSigned("trusted", "IP:127.0.0.1"));
    ASSERT_TRUE(m_certificates.MakeSigned("elsewhere", "DNS:wrong.example"));
    m_certificates.TrustAuthority();
    StartServer("trusted");
    Session *session = ConnectTls("trusting");
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd->Output();
    EXPECT_TRUE(m_shell.m_questions.empty());
    EXPECT_TRUE(ServerView(session)->HasLineContaining("* Zabezpečené spojenie: TLSv1."));
    session->Command("", 0, "/join #safe");
    EXPECT_TRUE(WaitFor([&] { return m_shell.View("#safe") != nullptr; }));

    m_table->CloseSession(session->Key());
    m_ircd.reset();
    StartServer("elsewhere");
    Session *misnamed = ConnectTls("misnamed");
    ASSERT_TRUE(WaitFor([&] { return !m_shell.m_questions.empty() && !misnamed->IsConnecting(); }));
    EXPECT_FALSE(misnamed->IsConnected());
    const Question &asked = m_shell.m_questions.front();
    EXPECT_EQ(asked.fingerprint, m_certificates.Fingerprint("elsewhere"));
    EXPECT_NE(asked.reasons.find("host name"), std::string::npos) << asked.reasons;
}

TEST_F(TlsSession, AServerEntryWithAPlusPortConnectsOverTlsAndOffersItsClientCertificate)
{
    ASSERT_TRUE(m_certificates.MakeSigned("trusted", "IP:127.0.0.1"));
    ASSERT_TRUE(m_certificates.MakeSigned("client", "DNS:client.example"));
    m_certificates.TrustAuthority();
    StartServer("trusted");
    const std::string port = std::to_string(m_ircd->TlsPort());
    WriteString("Servers", "Secure", "127.0.0.1 +" + port + " 0");
    WriteString("Client Certificates", "Secure", m_certificates.Combined("client"));
    WriteString(kBaseSection, "Nick", "entry");

    // "/server host +port" finds the entry by host and TLS port.
    RawIrcClient plain;
    ASSERT_TRUE(plain.ConnectAndRegister(m_ircd->Port(), "plain"));
    Session *first = m_table->CreateSession("127.0.0.1", m_ircd->Port(), "");
    first->Command("", 0, "/server 127.0.0.1 +" + port);
    Session *session = m_table->FindSession("Secure");
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(session->IsTls());
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd->Output();
    EXPECT_EQ(session->ConfName(), "Secure");
    EXPECT_TRUE(m_shell.m_questions.empty());

    // A client certificate that cannot be read stops the attempt with a message.
    WriteString("Client Certificates", "Secure", ConfigDir() + "/missing.pem");
    m_table->CloseSession(session->Key());
    Session *broken = m_table->CreateSession("127.0.0.1", m_ircd->TlsPort(), "Secure", true);
    EXPECT_TRUE(ServerView(broken)->HasLine("* Klientsky certifikát " + ConfigDir() + "/missing.pem sa nedá načítať"));
    EXPECT_FALSE(broken->IsConnecting());
}

TEST_F(TlsSession, AClientCertificateIsOfferedAndTheServerSeesItsFingerprint)
{
    if (!InspircdServer::IsAvailable())
        GTEST_SKIP() << "inspircd is not installed";
    ASSERT_TRUE(m_certificates.MakeSelfSigned("client", "DNS:client.example"));
    InspircdServer ircd;
    ASSERT_TRUE(ircd.Start()) << ircd.Output();
    WriteString(kBaseSection, "Nick", "certified");
    WriteString("Client Certificates", "Certified", m_certificates.Combined("client"));
    Session *session = m_table->CreateSession("127.0.0.1", ircd.TlsPort(), "Certified", true);
    ASSERT_TRUE(WaitFor([&] { return session->IsAwaitingCertificateAnswer(); }, 15000)) << ircd.Output();
    session->AnswerCertificate(Session::CertificateAnswer::AcceptOnce, m_shell.m_questions.back().fingerprint);
    ASSERT_TRUE(WaitFor([&] { return session->IsConnected() && !session->IsConnecting(); }, 15000)) << ircd.Output();

    RawIrcClient bob;
    ASSERT_TRUE(bob.ConnectAndRegister(ircd.Port(), "bob", 15000));
    bob.SendLine("WHOIS certified");
    std::string fingerprint = m_certificates.Fingerprint("client");
    std::erase(fingerprint, ':');
    for (char &c : fingerprint)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string found;
    ASSERT_TRUE(bob.WaitForCommand("276", 10000, &found));
    EXPECT_NE(found.find(fingerprint), std::string::npos) << found;
}

} // namespace
