#include "support/NgircdFixture.h"

#include <gtest/gtest.h>

#include "config/Config.h"
#include "session/Session.h"
#include "support/WaitFor.h"

void NgircdFixture::SetUp()
{
    TestConfigDir::SetUp();
    if (!NgircdServer::IsAvailable())
        GTEST_SKIP() << "ngircd is not installed";
    m_ircd = std::make_unique<NgircdServer>();
    ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
    m_table = std::make_unique<SessionTable>(&m_shell, m_commands);
    m_table->SetDebugSink([this](const std::string &text) { m_debug += text; });
}

void NgircdFixture::TearDown()
{
    m_table.reset();
    m_ircd.reset();
    TestConfigDir::TearDown();
}

Session *NgircdFixture::ConnectAs(const std::string &nick)
{
    WriteString(kBaseSection, "Nick", nick);
    Session *session = m_table->CreateSession("127.0.0.1", m_ircd->Port(), "");
    EXPECT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd->Output();
    return session;
}

bool NgircdFixture::Registered(const Session *session)
{
    return session && session->IsConnected() && !session->IsConnecting();
}
