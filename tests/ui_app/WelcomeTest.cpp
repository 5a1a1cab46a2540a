// The first start: the welcome dialog over the main window, what it writes
// and connects to, what "Zrušiť" leaves, and a later start that needs no
// welcome.
#include "AppFixture.h"
#include "support/FreePort.h"
#include "support/NgircdServer.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "dialogs/WelcomeDialog.h"
#include "input/InputLine.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"
#include "view/TextView.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

class WelcomeTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        if (!NgircdServer::IsAvailable())
            GTEST_SKIP() << "ngircd is not installed";
    }

    WelcomeDialog *Welcome() const { return m_app ? m_app->ShownWelcome() : nullptr; }

    // The dialog deletes itself when closed, from the event loop.
    bool WelcomeGone() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !Welcome();
    }

    ::testing::AssertionResult FillServerTypedIn(const QString &nick, uint16_t port) const
    {
        WelcomeDialog *dialog = Welcome();
        dialog->NickEdit()->setText(nick);
        dialog->FullNameEdit()->setText(QStringLiteral("Jana Nová"));
        dialog->ServerChoice()->setChecked(true);
        dialog->HostEdit()->setText(QStringLiteral("127.0.0.1"));
        dialog->PortBox()->setValue(port);
        // Never a network of the list: tests reach 127.0.0.1 only.
        if (dialog->Choice().host != "127.0.0.1")
            return ::testing::AssertionFailure() << "the dialog would connect to " << dialog->Choice().host;
        return ::testing::AssertionSuccess();
    }

    void Press(const QString &text) const
    {
        for (QPushButton *button : Welcome()->findChildren<QPushButton *>())
            if (button->text() == text) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no button " << text.toStdString();
    }

    static bool Registered(const Session *session)
    {
        return session && session->IsConnected() && !session->IsConnecting();
    }

    static QString ShownText(const Session *session)
    {
        const Conversation *server = session->ServerWindow();
        const auto *frame = server ? dynamic_cast<const ConversationWindow *>(server->View()) : nullptr;
        return frame ? frame->View()->PlainText() : QString();
    }

    NgircdServer m_ircd;
};

} // namespace

TEST_F(WelcomeTest, AServerTypedInConnectsAndAFreshStartConnectsToItWithoutWelcome)
{
    ASSERT_TRUE(m_ircd.Start()) << m_ircd.Output();
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(Welcome());
    EXPECT_TRUE(Welcome()->isVisible());
    EXPECT_EQ(Welcome()->parentWidget(), Frame());
    EXPECT_EQ(m_app->Sessions().Count(), 0u);

    ASSERT_TRUE(FillServerTypedIn(QStringLiteral("novacik"), m_ircd.Port()));
    Press(QStringLiteral("Pripo&jiť"));
    EXPECT_TRUE(WelcomeGone());
    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    Session *session = m_app->Sessions().Sessions().front();
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd.Output();
    EXPECT_EQ(session->Nick(), "novacik");
    EXPECT_EQ(session->ConfName(), "127.0.0.1");
    const QList<QAction *> servers = Frame()->ServersMenu()->actions();
    ASSERT_EQ(servers.size(), 1);
    EXPECT_EQ(servers.front()->text(), QStringLiteral("127.0.0.1\tCtrl+Z"));

    StopApp();
    ASSERT_TRUE(StartApp());
    EXPECT_TRUE(WelcomeGone());
    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    session = m_app->Sessions().Sessions().front();
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd.Output();
    EXPECT_EQ(session->Nick(), "novacik");
}

TEST_F(WelcomeTest, ANetworkOfTheListIsStoredWithItsSecurePort)
{
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(Welcome());
    WelcomeDialog *dialog = Welcome();
    ASSERT_GE(dialog->NetworkList()->count(), 10);
    EXPECT_TRUE(dialog->NetworkChoice()->isChecked());
    EXPECT_FALSE(dialog->HostEdit()->isEnabled());
    dialog->NickEdit()->setText(QStringLiteral("novacik"));
    dialog->NetworkList()->setCurrentIndex(0);
    const WelcomeChoice choice = dialog->Choice();
    EXPECT_FALSE(choice.host.empty());
    EXPECT_EQ(choice.serverName, dialog->NetworkList()->currentText().section(QLatin1Char(' '), 0, 0).toStdString());

    // Ticking TLS on a server typed in moves the usual port along.
    dialog->ServerChoice()->setChecked(true);
    EXPECT_TRUE(dialog->HostEdit()->isEnabled());
    EXPECT_FALSE(dialog->NetworkList()->isEnabled());
    EXPECT_EQ(dialog->PortBox()->value(), 6667);
    dialog->TlsBox()->setChecked(true);
    EXPECT_EQ(dialog->PortBox()->value(), 6697);
    EXPECT_TRUE(dialog->Choice().port.tls);
}

TEST_F(WelcomeTest, CancelWritesNothingAndLeavesAStatusWindowThatTakesServer)
{
    ASSERT_TRUE(m_ircd.Start()) << m_ircd.Output();
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(Welcome());
    const std::string before = ReadConfigFile();
    ASSERT_TRUE(FillServerTypedIn(QStringLiteral("novacik"), m_ircd.Port()));
    Press(QStringLiteral("&Zrušiť"));
    EXPECT_TRUE(WelcomeGone());
    EXPECT_EQ(ReadConfigFile(), before);

    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    Session *idle = m_app->Sessions().Sessions().front();
    EXPECT_TRUE(idle->HasNoServer());
    EXPECT_FALSE(idle->IsConnecting());
    EXPECT_TRUE(ShownText(idle).contains(QStringLiteral("Napíšte sem /server adresa port")))
        << ShownText(idle).toStdString();
    // Reconnecting has nowhere to go: it says again what to do.
    idle->ReconnectNow();
    EXPECT_FALSE(idle->IsConnecting());

    // What the user types into the window's input line.
    const Conversation *status = idle->ServerWindow();
    auto *frame = dynamic_cast<ConversationWindow *>(status->View());
    ASSERT_TRUE(frame);
    QTest::keyClicks(frame->Input(), "/server 127.0.0.1 " + QString::number(m_ircd.Port()));
    QTest::keyClick(frame->Input(), Qt::Key_Return);
    ASSERT_EQ(m_app->Sessions().Count(), 1u) << "the window without server gives way to the new one";
    Session *session = m_app->Sessions().Sessions().front();
    EXPECT_FALSE(session->HasNoServer());
    ASSERT_TRUE(WaitFor([&] { return Registered(session); })) << m_ircd.Output();
    EXPECT_EQ(ReadString("Servers", "127.0.0.1"), "") << "a server typed in is no favourite";
}

TEST_F(WelcomeTest, ANickTheServerWouldNotTakeIsRefusedAndNothingIsWritten)
{
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(Welcome());
    const std::string before = ReadConfigFile();
    for (const char *nick : {"", "ja no", "9lives", "Ján"}) {
        ASSERT_TRUE(FillServerTypedIn(QString::fromUtf8(nick), FreeLocalPort()));
        Press(QStringLiteral("Pripo&jiť"));
        ASSERT_TRUE(Welcome()) << nick;
        EXPECT_TRUE(Welcome()->isVisible()) << nick;
        EXPECT_TRUE(Welcome()->ProblemLabel()->isVisible()) << nick;
        EXPECT_EQ(Welcome()->focusWidget(), Welcome()->NickEdit()) << nick;
    }
    // A host the file cannot hold as a server's name is the host's fault.
    for (const char *host : {"   ", "irc=x", "[irc]"}) {
        ASSERT_TRUE(FillServerTypedIn(QStringLiteral("novacik"), FreeLocalPort()));
        Welcome()->HostEdit()->setText(QString::fromUtf8(host));
        Press(QStringLiteral("Pripo&jiť"));
        ASSERT_TRUE(Welcome()) << host;
        EXPECT_EQ(Welcome()->focusWidget(), Welcome()->HostEdit()) << host;
        EXPECT_EQ(Welcome()->ProblemLabel()->text(), FromStr(*host == ' ' ? Str::HostEmpty : Str::HostBadCharacter))
            << host;
    }
    EXPECT_EQ(ReadConfigFile(), before);
    EXPECT_EQ(m_app->Sessions().Count(), 0u);
}

// A reason given for a refusal gets room of its own: the fields stay as tall
// as they need to be read and the reason shows whole, however long.
TEST_F(WelcomeTest, AReasonGetsItsOwnRoomAndTheFieldsStayReadable)
{
    ASSERT_TRUE(StartApp());
    WelcomeDialog *dialog = Welcome();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const auto readable = [dialog] {
        QApplication::processEvents();
        for (QWidget *field : std::initializer_list<QWidget *>{dialog->HostEdit(), dialog->PortBox(), dialog->TlsBox(),
                                                               dialog->NickEdit()})
            if (field->height() < field->minimumSizeHint().height())
                return ::testing::AssertionFailure()
                    << field->metaObject()->className() << " is " << field->height() << " px tall";
        QLabel *reason = dialog->ProblemLabel();
        if (reason->height() < reason->heightForWidth(reason->width()))
            return ::testing::AssertionFailure() << "the reason is cut: " << reason->height() << " of "
                                                 << reason->heightForWidth(reason->width()) << " px";
        return ::testing::AssertionSuccess();
    };
    dialog->NickEdit()->setText(QStringLiteral("novacik"));
    dialog->ServerChoice()->setChecked(true);
    dialog->HostEdit()->clear();
    dialog->accept();
    ASSERT_TRUE(dialog->ProblemLabel()->isVisible());
    EXPECT_TRUE(readable());

    dialog->ProblemLabel()->setText(QString::fromUtf8(Strings::Format(
        Str::WelcomeNotSaved, "/home/pouzivatel/.config/brimo/a/velmi/dlha/cesta/k/suboru/brimo.conf")));
    EXPECT_TRUE(readable());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(WelcomeTest, TheConnectMenuOpensTheWelcomeAgainAndAStartWithAServerDoesNot)
{
    ASSERT_TRUE(StartApp("[Base]\nNick=stary\n[Servers]\nDoma=127.0.0.1 1 0\n"));
    EXPECT_FALSE(Welcome());
    Frame()->RunCommand(CommandId::Welcome);
    ASSERT_TRUE(Welcome());
    EXPECT_TRUE(Welcome()->isVisible());
    EXPECT_EQ(Welcome()->NickEdit()->text(), QStringLiteral("stary"));
    // Cancelled with a session-less program but servers in the file: the
    // same status window to type into.
    Press(QStringLiteral("&Zrušiť"));
    EXPECT_TRUE(WelcomeGone());
    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    EXPECT_TRUE(m_app->Sessions().Sessions().front()->HasNoServer());
    Frame()->RunCommand(CommandId::Welcome);
    ASSERT_TRUE(Welcome());
    Press(QStringLiteral("&Zrušiť"));
    EXPECT_TRUE(WelcomeGone());
    EXPECT_EQ(m_app->Sessions().Count(), 1u) << "one such window is enough";
}

TEST_F(WelcomeTest, AStartFromALinkConnectsWithoutTheWelcome)
{
    ASSERT_TRUE(m_ircd.Start()) << m_ircd.Output();
    const QString link = QStringLiteral("irc://127.0.0.1:%1/uvod").arg(m_ircd.Port());
    ASSERT_TRUE(StartApp({}, {QStringLiteral("brimo"), link}));
    EXPECT_FALSE(Welcome());
    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    EXPECT_TRUE(WaitFor([&] { return Registered(m_app->Sessions().Sessions().front()); }));
}
