#pragma once

#include <memory>
#include <string>

#include "commands/CommandDispatcher.h"
#include "session/SessionTable.h"
#include "support/FakeShell.h"
#include "support/NgircdServer.h"
#include "support/TestConfigDir.h"

class Session;

// A test with its own configuration folder, a real ngircd on 127.0.0.1 and a
// session table whose windows are recording fakes. Skips when ngircd is missing.
class NgircdFixture : public TestConfigDir
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A session that registers as nick; waits until the server welcomed it.
    Session *ConnectAs(const std::string &nick);
    static bool Registered(const Session *session);

    FakeShell m_shell;
    std::unique_ptr<NgircdServer> m_ircd;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
    std::string m_debug; // everything the sessions traced
};
