#pragma once

#include <memory>
#include <string>

#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

// A registered session ("me") against a scripted server on 127.0.0.1, with
// its own configuration folder and a recording shell. Tests hand lines to
// DispatchServerLine directly and look at three things: the lines printed
// (the fake views), the state (conversations, session fields) and the bytes
// the server received.
class DispatchFixture : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        // What each server line makes the session send, not the pace of it
        // (SessionPacing and PacedSending test that): every line goes at once.
        WriteInt(kBaseSection, "Send Interval", 0);
        m_shell = std::make_unique<FakeShell>();
        m_table = std::make_unique<SessionTable>(m_shell.get(), m_commands);
        ASSERT_TRUE(m_server.Listen());
        m_session = m_table->CreateSession("127.0.0.1", m_server.Port(), std::string());
        ASSERT_TRUE(m_server.WaitForClient());
        ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
        m_server.SendLine(":irc.test 001 me :Welcome to the test net");
        ASSERT_TRUE(WaitFor([&] { return m_session->Nick() == "me" && !m_session->IsConnecting(); }));
        m_server.ClearLines();
    }

    void TearDown() override
    {
        m_table.reset();
        m_shell.reset();
        TestConfigDir::TearDown();
    }

    int Dispatch(const std::string &line) { return m_session->DispatchServerLine(line); }

    // A channel window with a view and the given members.
    Conversation *Channel(const std::string &name, std::initializer_list<const char *> members = {})
    {
        Conversation *window = m_session->OpenWindow(name, Conversation::KindChannel, Conversation::TypeChannel);
        for (const char *member : members)
            window->Nicks().AddNick(member);
        return window;
    }

    FakeConversationView *View(const std::string &name) const { return m_shell->View(name); }
    FakeConversationView *ServerView() const { return m_shell->View(m_session->Key()); }
    const FakeConversationView::Line *LastLine(const std::string &name) const
    {
        FakeConversationView *view = View(name);
        return view && !view->Lines().empty() ? &view->Lines().back() : nullptr;
    }
    std::string LastText(const std::string &name) const
    {
        const FakeConversationView::Line *line = LastLine(name);
        return line ? line->text : std::string("<none>");
    }

    // Waits for the server to receive a line equal to `line`.
    bool Sent(const std::string &line, int timeoutMs = 5000)
    {
        return m_server.WaitForLine([&](const std::string &received) { return received == line; }, timeoutMs);
    }
    // Sends a marker through the session and waits for it: everything sent
    // before it has then arrived, so the server's lines can be counted.
    void SyncWire()
    {
        m_session->SendLine("SYNC");
        ASSERT_TRUE(m_server.WaitForLine([](const std::string &l) { return l == "SYNC"; }));
    }
    int CountSent(const std::string &prefix) const
    {
        int count = 0;
        for (const std::string &line : m_server.Lines())
            count += line.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }

    std::unique_ptr<FakeShell> m_shell;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
    ScriptedServer m_server;
    Session *m_session = nullptr;
};
