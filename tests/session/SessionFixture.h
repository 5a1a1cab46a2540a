#pragma once

#include <memory>
#include <string>

#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

// A session against a scripted server on 127.0.0.1, with its own
// configuration folder and a recording shell.
class SessionFixture : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        m_shell = std::make_unique<FakeShell>();
        m_table = std::make_unique<SessionTable>(m_shell.get(), m_commands);
        m_table->SetDebugSink([this](const std::string &text) { m_debug += text; });
        ASSERT_TRUE(m_server.Listen());
    }

    void TearDown() override
    {
        m_table.reset();
        m_shell.reset();
        TestConfigDir::TearDown();
    }

    // Creates the session and waits until it has registered its USER and NICK.
    Session *ConnectSession(const std::string &confName = std::string())
    {
        Session *session = m_table->CreateSession("127.0.0.1", m_server.Port(), confName);
        EXPECT_TRUE(m_server.WaitForClient());
        EXPECT_TRUE(m_server.WaitForLineStartingWith("NICK "));
        return session;
    }

    FakeConversationView *ServerView(Session *session) const { return m_shell->View(session->Key()); }

    bool WaitForServerLine(Session *session, const std::string &text)
    {
        return WaitFor([&] { return ServerView(session)->HasLine(text); });
    }

    std::unique_ptr<FakeShell> m_shell;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
    ScriptedServer m_server;
    std::string m_debug;
};
