#include "AppFixture.h"
#include "support/NgircdServer.h"
#include "support/TestCertificates.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "app/NotificationLoop.h"
#include "config/Config.h"
#include "conversation/Question.h"
#include "dialogs/QuestionDialog.h"
#include "session/Session.h"
#include "widgets/Utf8Text.h"

#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

namespace {

const std::string kTray = "[Base]\nEnable Tray=True\nHide Minimized=True\nShow Baloon=True\n";
const std::string kKey = "krnl:1:127.0.0.1:6667";

} // namespace

using TrayTest = AppFixture;
using QuestionDialogTest = AppFixture;

TEST_F(TrayTest, MinimisingHidesToTheTrayAndAClickBringsTheWindowBack)
{
    ASSERT_TRUE(StartApp(kTray));
    Frame()->SetTrayAvailability([] { return true; });
    ASSERT_TRUE(Frame()->TrayIcon());
    EXPECT_EQ(Frame()->TrayIcon()->toolTip(), "Brimo");
    Frame()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return !Frame()->isVisible(); }));
    EXPECT_FALSE(m_app->IsMainWindowVisible());

    m_app->ShowBalloon("#kanal", "ana: ahoj", 1);
    EXPECT_EQ(m_app->Balloons().Size(), 1u);
    Frame()->RestoreFromTray();
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(m_app->Balloons().Size(), 0u); // the click empties the queue
}

TEST_F(TrayTest, TheWindowComesBackWhenTheTrayGoesAwayWhileItHidesThere)
{
    ASSERT_TRUE(StartApp(kTray));
    bool trayThere = true;
    Frame()->SetTrayAvailability([&trayThere] { return trayThere; });
    Frame()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return !Frame()->isVisible(); }));
    trayThere = false; // the panel holding the tray ends
    ASSERT_TRUE(WaitFor([&] { return Frame()->isVisible(); }, 5000));
    EXPECT_FALSE(Frame()->isMinimized());

    // And when the tray icon is switched off meanwhile.
    trayThere = true;
    Frame()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return !Frame()->isVisible(); }));
    ASSERT_TRUE(WriteConfigFile("[Base]\nEnable Tray=False\nHide Minimized=True\n"));
    m_app->RefreshShell(Shell::RefreshSettings | Shell::RefreshTray);
    EXPECT_TRUE(WaitFor([&] { return Frame()->isVisible(); }, 5000));
}

TEST_F(TrayTest, WithoutHideMinimizedTheWindowOnlyMinimises)
{
    ASSERT_TRUE(StartApp("[Base]\nEnable Tray=True\nHide Minimized=False\n"));
    Frame()->showMinimized();
    PumpEvents(50);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_FALSE(Frame()->MinimiseToTray());
}

// Hidden with no tray to click, the window could not be brought back.
TEST_F(TrayTest, WithoutATrayOnTheDesktopTheWindowOnlyMinimises)
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "this desktop shows tray icons";
    ASSERT_TRUE(StartApp(kTray));
    ASSERT_TRUE(Frame()->TrayIcon());
    Frame()->showMinimized();
    PumpEvents(50);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(Frame()->isMinimized());
    EXPECT_TRUE(m_app->IsMainWindowVisible());
    EXPECT_FALSE(Frame()->MinimiseToTray());
    Frame()->showNormal();
    EXPECT_TRUE(WaitFor([&] { return !Frame()->isMinimized(); }));
}

TEST_F(TrayTest, TrayIconFollowsTheSetting)
{
    ASSERT_TRUE(StartApp());
    EXPECT_FALSE(Frame()->TrayIcon());
    ASSERT_TRUE(WriteConfigFile(kTray));
    m_app->RefreshShell(Shell::RefreshSettings | Shell::RefreshTray);
    EXPECT_TRUE(Frame()->TrayIcon());
}

TEST_F(TrayTest, TheTrayIconIsSetOnlyWhenItsPictureChanges)
{
    ASSERT_TRUE(StartApp(kTray));
    m_app->Notifier()->Stop(); // the test drives the cycles
    ASSERT_TRUE(Frame()->TrayIcon());
    for (int i = 0; i < 30; ++i)
        m_app->Notifier()->Cycle();
    EXPECT_EQ(Frame()->TrayPictureChanges(), 0);

    // A balloon notes activity: the picture blinks at the fifth cycle and
    // is back at the next pass that finds no activity.
    m_app->ShowBalloon("#kanal", "ana: ahoj", 1);
    int shown = 0;
    TrayBlinker::Icon last = TrayBlinker::Icon::Normal;
    for (int i = 0; i < 30; ++i) {
        m_app->Notifier()->Cycle();
        if (m_app->Notifier()->Blinker().Current() != last) {
            last = m_app->Notifier()->Blinker().Current();
            ++shown;
        }
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(Frame()->TrayPictureChanges(), shown);
}

TEST_F(TrayTest, NotificationCycleShowsQueuedBalloonsAndNotesActivity)
{
    ASSERT_TRUE(StartApp(kTray));
    m_app->Notifier()->Stop(); // the test drives the cycles
    m_app->ShowBalloon("#kanal", "* informacia", 0);
    EXPECT_EQ(m_app->Balloons().Size(), 0u);
    m_app->ShowBalloon("#kanal", "ana: ahoj", 1);
    m_app->Notifier()->Cycle();
    EXPECT_EQ(m_app->Notifier()->BalloonsShown(), 1);
    EXPECT_TRUE(m_app->Notifier()->Activity());
    // The tray blinks from the fifth cycle after the balloon ...
    for (int i = 0; i < 5; ++i)
        m_app->Notifier()->Cycle();
    EXPECT_EQ(m_app->Notifier()->Blinker().Current(), TrayBlinker::Icon::Blink);
    // ... until the next window bar pass finds no window with activity.
    m_app->Notifier()->Cycle();
    EXPECT_FALSE(m_app->Notifier()->Activity());
    EXPECT_EQ(m_app->Notifier()->Blinker().Current(), TrayBlinker::Icon::Normal);
}

TEST_F(QuestionDialogTest, QuestionsWaitTheirTurnAndRepeatsAreQueuedOnce)
{
    ASSERT_TRUE(StartApp());
    m_app->AskQuestion(Question::ForRequest(Question::PrivateChat, "ana!a@host.sk", kKey));
    QuestionDialog *first = m_app->ShownQuestion();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->windowTitle(), "Žiadosť o súkromné písanie od ana ...");
    EXPECT_EQ(first->QuestionText(), "Užívateľ ana z adresy a@host.sk si chce s tebou súkromne písať");

    m_app->AskQuestion(Question::ForRequest(Question::PrivateChat, "bob!b@host.sk", kKey));
    m_app->AskQuestion(Question::ForRequest(Question::PrivateChat, "bob!b@host.sk", kKey));
    EXPECT_EQ(m_app->ShownQuestion(), first);
    EXPECT_EQ(m_app->Questions().Queued().size(), 1u);

    // The session is gone: the answer just closes the dialog; the next one shows.
    QTest::mouseClick(first->DeclineButton(), Qt::LeftButton);
    QuestionDialog *second = m_app->ShownQuestion();
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->GetQuestion().prefix, "bob!b@host.sk");
    EXPECT_TRUE(m_app->Questions().Queued().empty());
    QTest::mouseClick(second->AcceptButton(), Qt::LeftButton);
    EXPECT_FALSE(m_app->ShownQuestion());
}

TEST_F(QuestionDialogTest, AQuestionLeftWithoutAnswerComesAtTheNextTick)
{
    ASSERT_TRUE(StartApp());
    m_app->AskQuestion(Question::ForRequest(Question::DccFile, "bob!b@h", kKey, "a.txt", 2048));
    m_app->AskQuestion(Question::ForRequest(Question::DccChat, "eve!e@h", kKey));
    ASSERT_TRUE(m_app->ShownQuestion());
    EXPECT_TRUE(m_app->ShownQuestion()->QuestionText().contains("\"a.txt\", veľkosti 2 kB"));
    m_app->ShownQuestion()->reject(); // closed with the title bar
    EXPECT_FALSE(m_app->ShownQuestion());
    EXPECT_EQ(m_app->Questions().Queued().size(), 1u);
    m_app->TimerTick();
    ASSERT_TRUE(m_app->ShownQuestion());
    EXPECT_EQ(m_app->ShownQuestion()->GetQuestion().kind, 2);
}

TEST_F(QuestionDialogTest, AServerEntryWithAPlusPortAsksAboutItsCertificateAndAcceptedAlwaysConnects)
{
    if (!NgircdServer::IsAvailable() || !TestCertificates::IsAvailable())
        GTEST_SKIP() << "ngircd or openssl is not installed";
    TestCertificates certificates;
    ASSERT_TRUE(certificates.MakeSelfSigned("self", "IP:127.0.0.1"));
    NgircdServer ircd;
    ircd.EnableTls(certificates.Certificate("self"), certificates.Key("self"));
    ASSERT_TRUE(ircd.Start()) << ircd.Output();
    const std::string server = "127.0.0.1:" + std::to_string(ircd.TlsPort());
    ASSERT_TRUE(
        StartApp("[Base]\nNick=secure\n[Servers]\nSecure=127.0.0.1 +" + std::to_string(ircd.TlsPort()) + " 1\n"));
    ASSERT_TRUE(WaitFor([&] { return m_app->ShownQuestion() != nullptr; }));
    QuestionDialog *dialog = m_app->ShownQuestion();
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Certifikát servera " + server);
    const std::string text = dialog->QuestionText().toStdString();
    EXPECT_NE(text.find("Certifikát servera " + server + " sa nedá overiť"), std::string::npos) << text;
    EXPECT_NE(text.find(certificates.Fingerprint("self")), std::string::npos) << text;
    EXPECT_EQ(dialog->AcceptButton()->text(), FromStr(Str::AcceptOnceButton));
    EXPECT_EQ(dialog->ThirdButton()->text(), FromStr(Str::AcceptAlwaysButton));
    EXPECT_TRUE(dialog->DeclineButton()->isDefault());

    QTest::mouseClick(dialog->ThirdButton(), Qt::LeftButton);
    EXPECT_FALSE(m_app->ShownQuestion());
    Session *session = m_app->FindSession("Secure");
    ASSERT_TRUE(session);
    ASSERT_TRUE(WaitFor([&] { return session->IsConnected() && !session->IsConnecting(); })) << ircd.Output();
    EXPECT_EQ(ReadString("Certificates", server), certificates.Fingerprint("self"));
}
