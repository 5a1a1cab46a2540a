#include "support/InspircdFixture.h"

#include "session/SessionTable.h"

#include <gtest/gtest.h>

InspircdFixture::InspircdFixture() = default;

InspircdFixture::~InspircdFixture() = default;

void InspircdFixture::SetUp()
{
    TestConfigDir::SetUp();
    if (!InspircdServer::IsAvailable(WithServices()))
        GTEST_SKIP() << (WithServices() ? "inspircd or anope is not installed" : "inspircd is not installed");
    m_ircd = std::make_unique<InspircdServer>(WithServices());
    ASSERT_TRUE(m_ircd->Start()) << m_ircd->Output();
    m_table = std::make_unique<SessionTable>(&m_shell, m_commands);
}

void InspircdFixture::TearDown()
{
    m_table.reset();
    m_ircd.reset();
    TestConfigDir::TearDown();
}
