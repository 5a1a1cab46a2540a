#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/CommandDispatcher.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/ScriptHost.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"
#include "text/CaseFold.h"
#include "text/Strings.h"

// A recording window that also counts how often it was brought forward.
class CommandView : public FakeConversationView
{
public:
    using FakeConversationView::FakeConversationView;
    void Activate() override { ++m_activations; }
    int m_activations = 0;
};

// The shell of the command tests: FakeShell plus the windows that only
// commands open (help, debug, channel search), with CommandViews.
class CommandShell : public FakeShell
{
public:
    ConversationView *CreateView(Conversation &conversation) override
    {
        m_commandViews.push_back(std::make_unique<CommandView>(conversation));
        return m_commandViews.back().get();
    }
    // The newest view made for a conversation of that name (any case).
    CommandView *View(const std::string &name) const
    {
        for (auto it = m_commandViews.rbegin(); it != m_commandViews.rend(); ++it) {
            if (EqualIgnoringCase((*it)->Name(), name))
                return it->get();
        }
        return nullptr;
    }
    bool AnyViewHasLineContaining(const std::string &part) const
    {
        for (const auto &view : m_commandViews) {
            if (view->HasLineContaining(part))
                return true;
        }
        return false;
    }
    size_t ViewCount() const { return m_commandViews.size(); }

    void OpenHelpWindow() override { ++m_helpOpened; }
    bool OpenDebugWindow() override
    {
        ++m_debugOpened;
        return m_debugAvailable;
    }
    bool OpenSearchWindow(const std::string &sessionKey) override
    {
        m_searchOpened.push_back(sessionKey);
        return m_searchAvailable;
    }
    bool CloseSearchWindow(const std::string &sessionKey) override
    {
        m_searchClosed.push_back(sessionKey);
        return m_searchCloseResult;
    }

    bool m_debugAvailable = true;
    bool m_searchAvailable = true;
    bool m_searchCloseResult = true;
    int m_helpOpened = 0;
    int m_debugOpened = 0;
    std::vector<std::string> m_searchOpened;
    std::vector<std::string> m_searchClosed;

private:
    std::vector<std::unique_ptr<CommandView>> m_commandViews;
};

// A script engine for tests: records every offered line and takes the lines
// whose command word it is told to take.
class FakeScriptHost : public ScriptHost
{
public:
    struct Offer
    {
        std::string window, script, line;
    };

    void LoadScript(Conversation &window, const std::string &path, bool announce) override
    {
        m_loads.push_back(window.Name() + " " + path + (announce ? " announced" : " quiet"));
        window.Scripts()[path] = path;
    }
    void UnloadScript(Conversation &window, const std::string &path) override
    {
        m_unloads.push_back(window.Name() + " " + path);
        window.Scripts().erase(path);
    }
    bool OfferCommand(Conversation &window, const std::string &scriptName, const std::string &line) override
    {
        m_offers.push_back({window.Name(), scriptName, line});
        if (m_onOffer)
            m_onOffer(line);
        const std::string word = line.substr(0, line.find(' '));
        return std::find(m_takes.begin(), m_takes.end(), word) != m_takes.end();
    }

    std::vector<std::string> m_takes;
    std::function<void(const std::string &line)> m_onOffer;
    std::vector<Offer> m_offers;
    std::vector<std::string> m_loads;
    std::vector<std::string> m_unloads;
};

// One session connected to a scripted server on 127.0.0.1 and welcomed as
// "me", with its own configuration folder, a recording shell and the debug
// log collected.
class CommandFixture : public TestConfigDir
{
protected:
    void SetUp() override
    {
        TestConfigDir::SetUp();
        m_shell = std::make_unique<CommandShell>();
        m_table = std::make_unique<SessionTable>(m_shell.get(), m_commands);
        m_table->SetDebugSink([this](const std::string &text) { m_debug += text; });
        ASSERT_TRUE(m_server.Listen());
        m_session = m_table->CreateSession("127.0.0.1", m_server.Port(), m_confName);
        ASSERT_TRUE(m_server.WaitForClient());
        ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK "));
        m_server.SendLine(":srv 001 me :Welcome");
        ASSERT_TRUE(WaitFor([&] { return m_session->Nick() == "me"; }));
    }

    void TearDown() override
    {
        m_table.reset();
        m_shell.reset();
        TestConfigDir::TearDown();
    }

    int Run(const std::string &line, const std::string &window = std::string())
    {
        return m_session->Command(window, 0, line);
    }

    // The lines the server received while act ran (a marker line sent after
    // it closes the range, so nothing is waited for blindly).
    std::vector<std::string> Sent(const std::function<void()> &act)
    {
        const size_t from = m_server.Lines().size();
        act();
        const std::string marker = "PING :marker" + std::to_string(++m_markers);
        m_session->SendLine(marker);
        EXPECT_TRUE(m_server.WaitForLine([&](const std::string &line) { return line == marker; }));
        std::vector<std::string> lines(m_server.Lines().begin() + static_cast<long>(from), m_server.Lines().end());
        lines.erase(std::find(lines.begin(), lines.end(), marker), lines.end());
        return lines;
    }

    // A conversation of the session with a recording view.
    Conversation *OpenChannel(const std::string &name)
    {
        return m_session->OpenWindow(name, Conversation::KindChannel, Conversation::TypeChannel);
    }
    CommandView *View(const std::string &name) const { return m_shell->View(name); }
    CommandView *ServerView() const { return m_shell->View(m_session->Key()); }

    // A script engine a test may hand the shell; it outlives the sessions.
    FakeScriptHost m_scriptHost;
    std::unique_ptr<CommandShell> m_shell;
    CommandDispatcher m_commands;
    std::unique_ptr<SessionTable> m_table;
    ScriptedServer m_server;
    Session *m_session = nullptr;
    std::string m_confName;
    std::string m_debug;
    int m_markers = 0;
};
