#include "AppFixture.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "app/WindowBar.h"
#include "conversation/Conversation.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/WaitFor.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolButton>

void AppFixture::SetUp()
{
    TestConfigDir::SetUp();
    m_barStore = std::make_unique<QSettings>(m_barDir.filePath(QStringLiteral("bars.ini")), QSettings::IniFormat);
}

void AppFixture::TearDown()
{
    StopApp();
    m_barStore.reset();
    TestConfigDir::TearDown();
}

bool AppFixture::StartApp(const std::string &config, const QStringList &arguments)
{
    if (!config.empty() && !WriteConfigFile(config))
        return false;
    m_app = std::make_unique<BrimoApp>();
    m_app->SetBarStateStore(m_barStore.get());
    if (m_beforeStart)
        m_beforeStart(*m_app);
    return m_app->Start(arguments) == BrimoApp::Started;
}

Session *AppFixture::StartConnected(const std::string &baseKeys)
{
    if (!m_server.Listen())
        return nullptr;
    const std::string config =
        "[Base]\nNick=tester\n" + baseKeys + "[Servers]\nSiet=127.0.0.1 " + std::to_string(m_server.Port()) + " 1\n";
    if (!StartApp(config) || m_app->Sessions().Count() != 1)
        return nullptr;
    Session *session = m_app->Sessions().Sessions().front();
    if (!m_server.WaitForLineStartingWith("NICK"))
        return nullptr;
    m_server.SendLine(":irc.test 001 tester :Vitaj");
    return WaitFor([&] { return !session->IsConnecting(); }) ? session : nullptr;
}

ConversationWindow *AppFixture::JoinedChannel(Session *session, const std::string &channel)
{
    m_server.SendLine(":tester!t@127.0.0.1 JOIN " + channel);
    if (!WaitFor([&] { return session->FindWindow(channel) != nullptr; }))
        return nullptr;
    return dynamic_cast<ConversationWindow *>(session->FindWindow(channel)->View());
}

void AppFixture::StopApp()
{
    if (!m_app)
        return;
    m_app->Exit();
    m_app.reset();
    // Lets the windows the exit sequence handed to deleteLater go.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void AppFixture::ClickWindowButton(const ConversationWindow *window) const
{
    QTest::mouseClick(Frame()->ChannelsBar()->ButtonOf(window->SubWindow()), Qt::LeftButton);
}

QStringList AppFixture::ShownLines(const ConversationWindow *window)
{
    return window->View()->PlainText().split(QLatin1Char('\n'));
}

MainWindow *AppFixture::Frame() const
{
    return m_app ? m_app->MainFrame() : nullptr;
}
