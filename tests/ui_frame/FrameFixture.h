#pragma once

#include "commands/CommandDispatcher.h"
#include "support/FakeShell.h"
#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

#include "config/AppSettings.h"
#include "conversation/Conversation.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

// The application as the conversation windows see it: a shell whose views
// are real conversation windows in a multiple-document area.
class FrameShell : public FakeShell
{
public:
    ConversationView *CreateView(Conversation &conversation) override
    {
        if (!m_area)
            return nullptr;
        ConversationWindow *frame = ConversationWindow::Open(m_area, conversation, this, *m_settings);
        if (m_sink)
            frame->SetCommandSink(m_sink);
        return frame;
    }

    QMdiArea *m_area = nullptr;
    const AppSettings *m_settings = nullptr;
    ConversationWindow::CommandSink m_sink;
};

// One command line as a window hands it to its session.
struct SentCommand
{
    std::string window;
    int number;
    std::string line;
};

// Each test gets its own configuration folder, a shown area, a session
// connected to a scripted server on 127.0.0.1 and, with recordCommands, a
// record of every command line the windows hand to the session instead of
// running it.
class FrameTest : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        m_area = std::make_unique<QMdiArea>();
        m_area->resize(1000, 700);
        m_area->show();
        m_shell.m_area = m_area.get();
        m_shell.m_settings = &m_settings;
        ASSERT_TRUE(m_server.Listen());
    }

    void TearDown() override
    {
        // Windows write their records on destruction: before the folder goes.
        m_table.reset();
        m_area.reset();
        TestConfigDir::TearDown();
    }

    void RecordCommands()
    {
        m_shell.m_sink = [this](const std::string &window, int number, const std::string &line) {
            m_commands.push_back({window, number, line});
            return 1;
        };
    }

    Session *StartSession()
    {
        m_table = std::make_unique<SessionTable>(&m_shell, m_dispatcher);
        m_session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
        return m_session;
    }

    Conversation *OpenWindow(const std::string &name, Conversation::WindowKind kind, Conversation::WindowType type)
    {
        if (!m_session)
            StartSession();
        return m_session->OpenWindow(name, kind, type);
    }

    static ConversationWindow *FrameOf(Conversation *conversation)
    {
        return conversation ? dynamic_cast<ConversationWindow *>(conversation->View()) : nullptr;
    }

    std::vector<std::string> LinesOf(const std::vector<SentCommand> &commands) const
    {
        std::vector<std::string> lines;
        for (const SentCommand &command : commands)
            lines.push_back(command.line);
        return lines;
    }
    std::vector<std::string> Lines() const { return LinesOf(m_commands); }

    static QString Shown(ConversationWindow *frame) { return frame->View()->PlainText(); }

    AppSettings m_settings;
    FrameShell m_shell;
    ScriptedServer m_server;
    std::unique_ptr<QMdiArea> m_area;
    CommandDispatcher m_dispatcher;
    std::unique_ptr<SessionTable> m_table;
    Session *m_session = nullptr;
    std::vector<SentCommand> m_commands;
};
