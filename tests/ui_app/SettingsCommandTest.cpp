// The settings command of the main window: its menu item, key and tool bar
// button open the settings sheet, and closing the sheet, even with Cancel,
// reloads the settings and re-creates the tray icon.
#include "AppFixture.h"
#include "support/WaitFor.h"
#include "support/WhenModal.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "dialogs/AdvancedSettingsPage.h"
#include "dialogs/SettingsDialog.h"
#include "session/Session.h"
#include "support/RenderedToolTip.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationMenu.h"
#include "windows/ConversationToolBar.h"
#include "windows/ConversationWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QToolBar>

#include <functional>

namespace {

// Runs change on the settings sheet once it shows, then closes it with OK or
// Cancel (and OK's notice after it); caption gets its caption, closed is set
// once it closed.
void CloseSheetWhenOpen(bool ok, QString *caption, bool *closed, std::function<void(SettingsDialog *)> change = {})
{
    WhenModal<SettingsDialog>([ok, caption, closed, change](SettingsDialog *sheet) {
        *caption = sheet->windowTitle();
        if (change)
            change(sheet);
        if (ok) {
            WhenModal<QMessageBox>([](QMessageBox *box) { box->accept(); });
            sheet->accept();
        } else {
            sheet->reject();
        }
        *closed = true;
    });
}

QAction *ToolBarAction(QToolBar *bar, int id)
{
    for (QAction *action : bar->actions())
        if (action->data().toInt() == id)
            return action;
    return nullptr;
}

} // namespace

using SettingsCommandTest = AppFixture;

TEST_F(SettingsCommandTest, CancelStillReloadsTheSettingsAndTheTrayIcon)
{
    ASSERT_TRUE(StartApp("[Base]\nEnable Tray=False\n"));
    QAction *settings = Frame()->Action(CommandId::Settings);
    EXPECT_TRUE(settings->isEnabled());
    EXPECT_EQ(settings->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(settings->text(), FromStr(Str::CommandSettings));
    EXPECT_FALSE(Frame()->TrayIcon());

    // Changed behind the program's back while the sheet is open.
    ASSERT_TRUE(WriteConfigFile("[Base]\nEnable Tray=True\nShow Ping=True\n"));
    QString caption;
    bool closed = false;
    CloseSheetWhenOpen(false, &caption, &closed);
    settings->trigger();
    ASSERT_TRUE(WaitFor([&] { return closed; }));
    EXPECT_EQ(caption, QString::fromUtf8("Konfigurácia ..."));
    EXPECT_TRUE(Frame()->TrayIcon());
    EXPECT_TRUE(m_app->Settings().m_showPing);
    EXPECT_EQ(ReadConfigFile(), "[Base]\nEnable Tray=True\nShow Ping=True\n");
}

TEST_F(SettingsCommandTest, ToolBarButtonOpensTheSheetAndOkRemovesTheTrayIconWhenOff)
{
    ASSERT_TRUE(StartApp("[Base]\nEnable Tray=True\n"));
    ASSERT_TRUE(Frame()->TrayIcon());
    QAction *button = ToolBarAction(Frame()->ToolsBar(), CommandId::Settings);
    ASSERT_TRUE(button);
    EXPECT_TRUE(button->isEnabled());
    QString caption;
    bool closed = false;
    CloseSheetWhenOpen(true, &caption, &closed, [](SettingsDialog *sheet) {
        auto *tray =
            qobject_cast<QCheckBox *>(sheet->AdvancedPage()->Editor(QString::fromUtf8(Strings::Get(Str::EnableTray))));
        if (tray)
            tray->click();
    });
    button->trigger();
    ASSERT_TRUE(WaitFor([&] { return closed; }));
    EXPECT_FALSE(caption.isEmpty());
    EXPECT_EQ(ReadConfigFile().find("Enable Tray=False") != std::string::npos, true);
    EXPECT_FALSE(Frame()->TrayIcon());
    EXPECT_FALSE(m_app->Settings().m_enableTray);
    EXPECT_TRUE(m_app->Settings().m_hideMinimized);
}

// A user-message button of a channel is off until its message is set in the
// sheet, and says where to set it; after OK it sends the message and shows it.
TEST_F(SettingsCommandTest, UserMessageButtonFollowsTheMessageSetInTheSheet)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    ConversationWindow *frame = JoinedChannel(session, "#brimo");
    ASSERT_TRUE(frame);
    QAction *third = frame->Bar()->Action(CommandId::UserMessageFirst + 2);
    ASSERT_TRUE(third);
    EXPECT_FALSE(third->isEnabled());
    const QString itemCaption = QString::fromStdString(Strings::Format(Str::UserText, 3));
    EXPECT_TRUE(third->toolTip().contains(itemCaption)) << third->toolTip().toStdString();
    EXPECT_TRUE(third->toolTip().contains(QString::fromUtf8("Rozšírené"))) << third->toolTip().toStdString();

    QString caption;
    bool closed = false;
    CloseSheetWhenOpen(true, &caption, &closed, [&itemCaption](SettingsDialog *sheet) {
        if (auto *text = qobject_cast<QLineEdit *>(sheet->AdvancedPage()->Editor(itemCaption)))
            text->setText(QStringLiteral("<b>ahoj</b> všetci"));
    });
    Frame()->Action(CommandId::Settings)->trigger();
    ASSERT_TRUE(WaitFor([&] { return closed; }));

    EXPECT_TRUE(third->isEnabled());
    EXPECT_EQ(RenderedToolTip(third->toolTip()).shown, QString::fromUtf8("<b>ahoj</b> všetci"));
    EXPECT_FALSE(frame->Bar()->Action(CommandId::UserMessageFirst + 3)->isEnabled());
    third->trigger();
    EXPECT_TRUE(m_server.WaitForLineStartingWith("PRIVMSG #brimo :\x01"
                                                 "ACTION <b>ahoj</b>"));
}
