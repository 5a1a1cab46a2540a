#pragma once

#include "commands/CommandDispatcher.h"
#include "support/FakeShell.h"
#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"

#include "config/AppSettings.h"
#include "conversation/Conversation.h"
#include "dialogs/PropertySheet.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "windows/ConversationWindow.h"

#include <QMdiArea>

#include <memory>
#include <string>

// The application as the properties sheets see it: real conversation
// windows, and the replies for user sheets routed to the open sheets.
class PropertiesShell : public FakeShell
{
public:
    ConversationView *CreateView(Conversation &conversation) override
    {
        return m_area ? ConversationWindow::Open(m_area, conversation, this, *m_settings) : nullptr;
    }
    void UserPropertiesLine(const std::string &sessionKey, const std::string &nick, const std::string &line) override
    {
        PropertySheet::RouteUserLine(sessionKey, nick, line);
    }
    bool HasPropertySheets() const override { return true; }
    void OpenProperties(Session &session, const std::string &name) override
    {
        PropertySheet::OpenProperties(session, name, m_area);
    }

    QMdiArea *m_area = nullptr;
    const AppSettings *m_settings = nullptr;
};

// A shown area that owns the sheets, a session on a scripted server of
// 127.0.0.1, and the opener wired as the application wires it.
class PropertiesTest : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        m_area = std::make_unique<QMdiArea>();
        m_area->resize(900, 600);
        m_area->show();
        m_shell.m_area = m_area.get();
        m_shell.m_settings = &m_settings;
        ASSERT_TRUE(m_server.Listen());
        m_table = std::make_unique<SessionTable>(&m_shell, m_commands);
        m_session = m_table->CreateSession("127.0.0.1", m_server.Port(), "");
        ASSERT_NE(m_session, nullptr);
    }

    void TearDown() override
    {
        PropertySheet::CloseAll();
        m_table.reset();
        m_area.reset();
        TestConfigDir::TearDown();
    }

    void Register()
    {
        ASSERT_TRUE(m_server.WaitForClient());
        ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK"));
        m_server.SendLine(":irc.test 001 " + m_session->Nick() + " :Vitaj");
        ASSERT_TRUE(WaitFor([&] { return m_session->IsConnected(); }));
    }

    ConversationWindow *OpenFrame(const std::string &name, Conversation::WindowKind kind, Conversation::WindowType type)
    {
        Conversation *conversation = m_session->OpenWindow(name, kind, type);
        return conversation ? dynamic_cast<ConversationWindow *>(conversation->View()) : nullptr;
    }

    int SheetCount() const { return static_cast<int>(m_area->findChildren<PropertySheet *>().size()); }

    AppSettings m_settings;
    PropertiesShell m_shell;
    ScriptedServer m_server;
    std::unique_ptr<QMdiArea> m_area;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
    Session *m_session = nullptr;
};
