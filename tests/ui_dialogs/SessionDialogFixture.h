#pragma once

#include "DialogDriving.h"
#include "commands/CommandDispatcher.h"
#include "support/FakeShell.h"
#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

#include "session/Session.h"
#include "session/SessionTable.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One session welcomed as "me" by a scripted server on 127.0.0.1, for the
// dialogs that show a session's lists.
class SessionDialogTest : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        m_table = std::make_unique<SessionTable>(&m_shell, m_commands);
        ASSERT_TRUE(m_server.Listen());
        m_session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
        ASSERT_TRUE(m_server.WaitForClient());
        ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
        m_server.SendLine(":srv 001 me :Vitaj");
        ASSERT_TRUE(WaitFor([&] { return m_session->Nick() == "me" && !m_session->IsConnecting(); }));
    }

    void TearDown() override
    {
        m_table.reset();
        TestConfigDir::TearDown();
    }

    // Waits for the server to receive exactly this line.
    bool ServerReceives(const std::string &line)
    {
        return m_server.WaitForLine([&](const std::string &received) { return received == line; });
    }

    FakeShell m_shell;
    ScriptedServer m_server;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
    Session *m_session = nullptr;
};
