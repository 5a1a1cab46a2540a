#pragma once

#include "support/ScriptedServer.h"
#include "support/TestConfigDir.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class BrimoApp;
class ConversationWindow;
class MainWindow;
class Session;

// Starts the application on a configuration of the test's own (and a bar
// state store of its own) and ends it after the test.
class AppFixture : public TestConfigDir
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the configuration (when given) and runs the start-up.
    bool StartApp(const std::string &config = {}, const QStringList &arguments = {QStringLiteral("brimo")});
    // Starts the application with one favourite server ("Siet"), the scripted
    // server, connected automatically, and registers the session as "tester".
    // baseKeys: more lines of section "Base" ("Key=value\n" each).
    Session *StartConnected(const std::string &baseKeys = {});
    // The server says "tester" joined the channel; its window once it opens.
    ConversationWindow *JoinedChannel(Session *session, const std::string &channel);
    // Ends the running application (the exit sequence) and destroys it.
    void StopApp();

    MainWindow *Frame() const;
    // A click on the window's button in the window bar.
    void ClickWindowButton(const ConversationWindow *window) const;
    // The lines a window shows, as its text view's plain text.
    static QStringList ShownLines(const ConversationWindow *window);

    // Runs on the new application before its start-up (a bus of the test's own, ...).
    std::function<void(BrimoApp &)> m_beforeStart;

    ScriptedServer m_server;
    std::unique_ptr<BrimoApp> m_app;
    QTemporaryDir m_barDir;
    std::unique_ptr<QSettings> m_barStore;
};
