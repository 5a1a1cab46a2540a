#pragma once

#include "commands/CommandDispatcher.h"
#include "support/FakeShell.h"
#include "support/InspircdServer.h"
#include "support/TestConfigDir.h"

#include <memory>
#include <string>

class Session;
class SessionTable;

// A real InspIRCd on 127.0.0.1 (with Anope services when the test asks for
// them), a session table on a fake shell and a configuration of the test's
// own. Skips the test where the servers are not installed.
class InspircdFixture : public TestConfigDir
{
protected:
    // Every registration waits for the server's one-second tick.
    static constexpr int kRegisterMs = 15000;

    InspircdFixture();
    ~InspircdFixture() override;

    virtual bool WithServices() const { return false; }

    void SetUp() override;
    void TearDown() override;

    FakeShell m_shell;
    std::unique_ptr<InspircdServer> m_ircd;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
};
