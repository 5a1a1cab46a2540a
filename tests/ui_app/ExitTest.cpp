#include "AppFixture.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/DebugLogWindow.h"
#include "app/MainWindow.h"
#include "app/WindowBar.h"
#include "config/Config.h"
#include "text/Strings.h"
#include "script/ScriptEdit.h"
#include "script/ScriptEditorWindow.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/WhenModal.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <csignal>
#include <unistd.h>

namespace {

// The program connected to a real ngircd, in channel #brimo beside a raw
// client that watches what the server tells the channel.
class ExitTest : public AppFixture
{
protected:
    bool StartInChannel(const std::string &nick, const std::string &quitMessage,
                        const QStringList &arguments = {QStringLiteral("brimo")})
    {
        if (!m_ircd.Start())
            return false;
        const std::string config = "[Base]\nNick=" + nick + "\nMsgs Quit=" + quitMessage
            + "\n[Servers]\nTest=127.0.0.1 " + std::to_string(m_ircd.Port()) + " 1\n";
        if (!StartApp(config, arguments) || m_app->Sessions().Count() != 1)
            return false;
        Session *session = m_app->Sessions().Sessions().front();
        if (!WaitFor([&] { return session->IsConnected() && !session->RegisteredNick().empty(); })
            || !m_observer.ConnectAndRegister(m_ircd.Port(), "pozorovatel") || !m_observer.SendLine("JOIN #brimo")
            || !m_observer.WaitForCommand("JOIN"))
            return false;
        session->Command(session->Key(), 0, "/servermsg JOIN #brimo");
        return SeenFrom(nick, "JOIN");
    }

    // Whether the observer sees a line of that command from nick; the line in seen.
    bool SeenFrom(const std::string &nick, const std::string &command, std::string *seen = nullptr)
    {
        return m_observer.WaitForLine(
            [&](const std::string &line) {
                return line.rfind(":" + nick + "!", 0) == 0 && RawIrcClient::CommandOf(line) == command;
            },
            10000, seen);
    }

    NgircdServer m_ircd;
    RawIrcClient m_observer;
};

} // namespace

TEST_F(ExitTest, ClosingTheMainWindowSendsQuitBeforeLeavingChannels)
{
    if (!NgircdServer::IsAvailable())
        GTEST_SKIP() << "ngircd is not installed";
    ASSERT_TRUE(StartInChannel("odchod", "dovidenia vsetci", {"brimo", "debug"})) << m_ircd.Output();

    Frame()->close();
    EXPECT_TRUE(m_app->HasExited());
    EXPECT_EQ(m_app->Sessions().Count(), 0u);
    std::string quit;
    ASSERT_TRUE(SeenFrom("odchod", "QUIT", &quit));
    EXPECT_NE(quit.find("dovidenia vsetci"), std::string::npos);
    for (const std::string &line : m_observer.Lines())
        EXPECT_FALSE(line.rfind(":odchod!", 0) == 0 && RawIrcClient::CommandOf(line) == "PART") << line;
}

namespace {

// Answers every question box with button while it lives, noting each text.
class QuestionAnswerer
{
public:
    explicit QuestionAnswerer(QMessageBox::StandardButton button)
    {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->button(button))
                return;
            m_texts.append(box->text());
            box->button(button)->click();
        });
        m_poll.start();
    }
    QStringList m_texts;

private:
    QTimer m_poll;
};

ScriptEditorWindow *ChangedEditor(BrimoApp &app, const QString &text)
{
    ScriptEditorWindow *editor = app.OpenScriptEditor(std::string());
    if (editor)
        editor->Editor()->insert(text);
    return editor;
}

} // namespace

TEST_F(ExitTest, QuittingAsksAboutEveryChangedScriptFirstAndCancelKeepsEverything)
{
    ASSERT_TRUE(StartApp());
    QPointer<ScriptEditorWindow> first = ChangedEditor(*m_app, QStringLiteral("set a 1"));
    QPointer<ScriptEditorWindow> unchanged = m_app->OpenScriptEditor(std::string());
    QPointer<ScriptEditorWindow> second = ChangedEditor(*m_app, QStringLiteral("set b 2"));
    ASSERT_TRUE(first && unchanged && second);
    const QString question =
        QString::fromStdString(Strings::Format(Str::ScriptSaveChanges, Strings::Get(Str::NewScriptTitle)));
    {
        QuestionAnswerer cancel(QMessageBox::Cancel);
        EXPECT_FALSE(Frame()->close());
        EXPECT_EQ(cancel.m_texts, QStringList{question});
    }
    EXPECT_FALSE(m_app->HasExited());
    EXPECT_TRUE(first && second && first->IsModified() && second->IsModified());
    EXPECT_TRUE(Frame()->isVisible());

    QuestionAnswerer discard(QMessageBox::Discard);
    EXPECT_TRUE(Frame()->close());
    EXPECT_EQ(discard.m_texts, (QStringList{question, question})); // the unchanged one is not asked about
    EXPECT_TRUE(m_app->HasExited());
}

TEST_F(ExitTest, TermIntAndHangUpEndTheProgramAsExitDoes)
{
    if (!NgircdServer::IsAvailable())
        GTEST_SKIP() << "ngircd is not installed";
    ASSERT_TRUE(StartInChannel("signal", "koniec signalom")) << m_ircd.Output();
    Frame()->setGeometry(QRect(30, 40, 720, 510));
    Frame()->ChannelsBar()->hide();
    const QRect placed = Frame()->normalGeometry();

    ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
    ASSERT_TRUE(WaitFor([&] { return m_app->HasExited(); }));
    std::string quit;
    ASSERT_TRUE(SeenFrom("signal", "QUIT", &quit));
    EXPECT_NE(quit.find("koniec signalom"), std::string::npos) << quit;
    EXPECT_EQ(ReadInt("Wnd_Main", "Left"), placed.left());
    EXPECT_EQ(ReadInt("Wnd_Main", "Top"), placed.top());
    EXPECT_EQ(ReadInt("Wnd_Main", "Right"), placed.width());
    EXPECT_EQ(ReadInt("Wnd_Main", "Bottom"), placed.height());
    EXPECT_FALSE(m_barStore->value(QStringLiteral("Bar States")).toByteArray().isEmpty());
    StopApp();

    for (int signal : {SIGINT, SIGHUP}) {
        ASSERT_TRUE(WriteConfigFile("[Base]\nNick=signal\n"));
        ASSERT_TRUE(StartApp());
        ASSERT_EQ(::kill(::getpid(), signal), 0);
        EXPECT_TRUE(WaitFor([&] { return m_app->HasExited(); })) << signal;
        EXPECT_FALSE(ReadString("Wnd_Main", "Right").empty()) << signal;
        StopApp();
    }
}

TEST_F(ExitTest, ASignalWhileAQuestionIsOpenCancelsTheQuestionAndStillEnds)
{
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(ChangedEditor(*m_app, QStringLiteral("set a 1")));
    bool asked = false;
    WhenModal<QMessageBox>([&asked](QMessageBox *) {
        asked = true;
        ::kill(::getpid(), SIGTERM); // the program closes the box itself
    });
    Frame()->close();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(WaitFor([&] { return m_app->HasExited(); }));
}

TEST_F(ExitTest, TheEndOfTheDesktopSessionAsksWhenItMayAndWritesThePlacement)
{
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(ChangedEditor(*m_app, QStringLiteral("set a 1")));
    {
        QuestionAnswerer cancel(QMessageBox::Cancel);
        EXPECT_FALSE(m_app->CommitSessionData(true));
        EXPECT_EQ(cancel.m_texts.size(), 1);
    }
    EXPECT_TRUE(ReadString("Wnd_Main", "Right").empty());
    EXPECT_TRUE(m_app->CommitSessionData(false)); // no questions allowed: nothing asked
    EXPECT_FALSE(ReadString("Wnd_Main", "Right").empty());
    EXPECT_FALSE(m_app->HasExited());
    m_app->Quit(); // what leaving the event loop at the session's end does
    EXPECT_TRUE(m_app->HasExited());
}

TEST_F(ExitTest, ALaterStartBringsTheWindowForwardAndOpensItsLinks)
{
    ASSERT_TRUE(StartApp("[Base]\nNick=tester\nEnable Tray=True\nHide Minimized=True\n"));
    Frame()->SetTrayAvailability([] { return true; });
    Frame()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return !Frame()->isVisible(); }));
    m_app->TakeLaterStart({});
    EXPECT_TRUE(Frame()->isVisible());

    ASSERT_TRUE(m_server.Listen());
    m_app->TakeLaterStart({QStringLiteral("irc://127.0.0.1:%1/spolu").arg(m_server.Port())});
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK"));
    EXPECT_EQ(m_app->Sessions().Count(), 1u);
}
