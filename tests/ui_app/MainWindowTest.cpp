#include "AppFixture.h"
#include "support/ScriptedServer.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/DebugLogWindow.h"
#include "app/MainWindow.h"
#include "app/MainWindowArea.h"
#include "app/WindowBar.h"
#include "config/Config.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Colors.h"
#include "widgets/OnScreen.h"
#include "widgets/Utf8Text.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

QStringList TitlesOf(const QList<QAction *> &actions)
{
    QStringList titles;
    for (QAction *action : actions)
        if (!action->isSeparator())
            titles << action->text();
    return titles;
}

QMdiSubWindow *AddPlainChild(MainWindow *frame, const QString &title)
{
    return frame->AddChild(new QLabel(title), title);
}

} // namespace

using MainFrameTest = AppFixture;

TEST_F(MainFrameTest, MenuBarHasEveryMenuInOrder)
{
    ASSERT_TRUE(StartApp());
    const QStringList titles = TitlesOf(Frame()->menuBar()->actions());
    EXPECT_EQ(titles,
              (QStringList{FromStr(Str::MenuConnect), FromStr(Str::MenuEdit), FromStr(Str::MenuView),
                           FromStr(Str::MenuChannel), FromStr(Str::MenuUser), FromStr(Str::MenuWindow),
                           FromStr(Str::MenuScript), FromStr(Str::MenuHelp)}));
    // The windows of other parts of the program do not exist yet: their commands are off.
    Frame()->UpdateCommandStates();
    for (int id : std::initializer_list<int>{CommandId::IgnoreList, CommandId::AwayOn, CommandId::Bold})
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << id;
    EXPECT_TRUE(Frame()->Action(CommandId::Settings)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::Help)->isEnabled());
    EXPECT_TRUE(Frame()->Action(CommandId::Exit)->isEnabled());
    // The bars are named after their entries in the view menu.
    EXPECT_EQ(Frame()->ToolsBar()->windowTitle(), "Hlavný Panel");
    EXPECT_EQ(Frame()->ChannelsBar()->windowTitle(), "Panel Okien");
}

// Alt and a letter opens one menu only; the items speak Slovak.
TEST_F(MainFrameTest, EveryMenuOfTheBarHasAnAccessKeyOfItsOwn)
{
    ASSERT_TRUE(StartApp());
    QSet<QChar> keys;
    for (QAction *menu : Frame()->menuBar()->actions()) {
        const qsizetype at = menu->text().indexOf(QLatin1Char('&'));
        ASSERT_GE(at, 0) << menu->text().toStdString();
        const QChar key = menu->text().at(at + 1).toLower();
        EXPECT_FALSE(keys.contains(key)) << menu->text().toStdString();
        keys.insert(key);
    }
    EXPECT_EQ(Frame()->Action(CommandId::ScriptParse)->text(), FromStr(Str::CommandScriptParse));
    EXPECT_EQ(Frame()->Action(CommandId::ModeLimit)->text(), FromStr(Str::CommandModeLimit));
}

// The main menu names a colour as the input line's colour menu does: the
// same item number is the same colour in both.
TEST_F(MainFrameTest, ColourItemsAreNamedAsTheInputLinesColourMenuNamesThem)
{
    ASSERT_TRUE(StartApp());
    for (int k = 0; k < kIrcColorCount; ++k) {
        EXPECT_EQ(Frame()->Action(CommandId::TextColourFirst + k)->text().toStdString(), ColorMenuLabel(k)) << k;
        EXPECT_EQ(Frame()->Action(CommandId::BackgroundColourFirst + k)->text().toStdString(), ColorMenuLabel(k)) << k;
    }
}

TEST_F(MainFrameTest, ServersMenuIsRebuiltFromTheFileWithTheDefaultMarked)
{
    ASSERT_TRUE(StartApp("[Base]\nDefault Server=Beta\n[Servers]\nAlfa=127.0.0.1 1 0\nBeta=127.0.0.1 2 0\n"));
    QMenu *servers = Frame()->ServersMenu();
    ASSERT_TRUE(servers);
    EXPECT_EQ(TitlesOf(servers->actions()), (QStringList{"Alfa", "Beta\tCtrl+Z"}));
    ASSERT_TRUE(servers->defaultAction());
    EXPECT_EQ(servers->defaultAction()->text(), "Beta\tCtrl+Z");
    EXPECT_EQ(servers->actions().at(0)->data().toInt(), 10001);

    // A server written later shows at the next refresh of the menus.
    ASSERT_TRUE(WriteString("Servers", "Gama", std::string("127.0.0.1 3 0")));
    ASSERT_TRUE(WriteString("Base", "Default Server", std::string("Gama")));
    m_app->RefreshShell(Shell::RefreshMenus);
    servers = Frame()->ServersMenu();
    EXPECT_EQ(TitlesOf(servers->actions()), (QStringList{"Alfa", "Beta", "Gama\tCtrl+Z"}));
    EXPECT_EQ(servers->defaultAction()->text(), "Gama\tCtrl+Z");
}

// The servers menu on a server whose session lost its connection connects
// that session again; no second session ("Siet 1") is opened for it.
TEST_F(MainFrameTest, TheServersMenuReconnectsADisconnectedSessionOfTheServer)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    // Refused: the session does not try again by itself meanwhile.
    m_server.SendLine(":irc.test 465 tester :You are banned from this server");
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected() && session->IsRefusedForGood(); }));
    m_server.ClearLines();

    QMenu *servers = Frame()->ServersMenu();
    ASSERT_TRUE(servers);
    ASSERT_EQ(TitlesOf(servers->actions()), (QStringList{"Siet"}));
    servers->actions().at(0)->trigger();
    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    EXPECT_EQ(m_app->Sessions().Sessions().front(), session);
    EXPECT_EQ(session->HumanName(), "Siet");
    ASSERT_TRUE(m_server.WaitForClient(2));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK"));
    EXPECT_TRUE(session->IsConnected());

    // While it is connected, the menu opens a second connection as before.
    servers->actions().at(0)->trigger();
    ASSERT_EQ(m_app->Sessions().Count(), 2u);
    EXPECT_TRUE(m_server.WaitForClient(3));
}

TEST_F(MainFrameTest, CtrlZConnectsToTheDefaultServer)
{
    ScriptedServer server;
    ASSERT_TRUE(server.Listen());
    const std::string config =
        "[Base]\nDefault Server=Doma\nNick=tester\n[Servers]\nInde=127.0.0.1 1 0\nDoma=127.0.0.1 "
        + std::to_string(server.Port()) + " 0\n";
    ASSERT_TRUE(StartApp(config));
    EXPECT_EQ(m_app->Sessions().Count(), 0u);
    QApplication::setActiveWindow(Frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    QTest::keyClick(Frame(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(m_app->Sessions().Count(), 1u);
    Session *session = m_app->Sessions().Sessions().front();
    EXPECT_EQ(session->ConfName(), "Doma");
    EXPECT_EQ(session->Port(), server.Port());
    EXPECT_TRUE(server.WaitForClient());
    EXPECT_TRUE(server.WaitForLineStartingWith("NICK"));
}

TEST_F(MainFrameTest, AutomaticConnectionsFollowTheFileOrder)
{
    const std::string config = "[Servers]\nPrvy=127.0.0.1 1 1\nNie=127.0.0.1 2 0\nDruhy=127.0.0.1 3 01\n"
                               "Chyba=127.0.0.1 4\nTreti=127.0.0.1 5 1 navyse\n";
    ASSERT_TRUE(StartApp(config, {"brimo", "Debug"}));
    ASSERT_TRUE(m_app->DebugWindow());
    const QString log = m_app->DebugWindow()->Text();
    EXPECT_TRUE(log.startsWith("Debug start ...\n"));
    const int first = log.indexOf("Autoconnecting to: Prvy");
    const int second = log.indexOf("Autoconnecting to: Druhy");
    const int third = log.indexOf("Autoconnecting to: Treti");
    EXPECT_GE(first, 0);
    EXPECT_GT(second, first);
    EXPECT_GT(third, second);
    EXPECT_EQ(log.indexOf("Autoconnecting to: Nie"), -1);
    EXPECT_EQ(log.indexOf("Autoconnecting to: Chyba"), -1);
    EXPECT_EQ(m_app->Sessions().Count(), 3u);
    std::vector<unsigned> ports;
    for (Session *session : m_app->Sessions().Sessions())
        ports.push_back(session->Port());
    std::sort(ports.begin(), ports.end());
    EXPECT_EQ(ports, (std::vector<unsigned>{1, 3, 5}));

    // Timer 0 gives every session its tick.
    m_app->TimerTick();
    EXPECT_EQ(m_app->DebugWindow()->Text().count("Command: /timer 0, return: 1"), 3);
}

TEST_F(MainFrameTest, DebugLogReachesTheDebugWindowOnlyWhileItIsOpen)
{
    ASSERT_TRUE(StartApp());
    EXPECT_FALSE(m_app->DebugWindow());
    m_app->DebugLog("not written %d", 1);
    ASSERT_TRUE(m_app->OpenDebugWindow());
    DebugLogWindow *debug = m_app->DebugWindow();
    ASSERT_TRUE(debug);
    EXPECT_EQ(debug->windowTitle(), "Brimo - Debug");
    m_app->DebugLog("line %d", 42);
    EXPECT_TRUE(debug->Text().contains("line 42"));
    EXPECT_FALSE(debug->Text().contains("not written"));
    debug->close();
    EXPECT_TRUE(WaitFor([&] { return m_app->DebugWindow() == nullptr; }));
    m_app->DebugLog("after %d", 2); // must not touch the closed window
}

TEST_F(MainFrameTest, WindowBarFollowsActivations)
{
    ASSERT_TRUE(StartApp());
    WindowBar *bar = Frame()->ChannelsBar();
    QMdiSubWindow *one = AddPlainChild(Frame(), "#jeden");
    QMdiSubWindow *two = AddPlainChild(Frame(), "#dva");
    QMdiSubWindow *three = AddPlainChild(Frame(), "#tri");
    m_app->RefreshShell(Shell::RefreshWindowBar);
    ASSERT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->Button(0)->size(), QSize(100, 23));
    EXPECT_EQ(bar->Button(0)->toolTip(), "#jeden");
    EXPECT_TRUE(bar->Button(2)->isChecked());

    Frame()->MdiArea()->setActiveSubWindow(one);
    EXPECT_TRUE(bar->Button(0)->isChecked());
    EXPECT_FALSE(bar->Button(1)->isChecked());
    EXPECT_FALSE(bar->Button(2)->isChecked());

    QTest::mouseClick(bar->Button(1), Qt::LeftButton);
    EXPECT_EQ(Frame()->ActiveChild(), two);
    EXPECT_TRUE(bar->Button(1)->isChecked());
    EXPECT_FALSE(bar->Button(0)->isChecked());

    // A closed window loses its button; the others keep their order.
    one->close();
    EXPECT_TRUE(WaitFor([&] { return bar->ButtonCount() == 2; }));
    EXPECT_EQ(bar->Button(0)->toolTip(), "#dva");
    EXPECT_EQ(bar->Button(1)->toolTip(), "#tri");
    (void)three;
}

TEST_F(MainFrameTest, WindowMenuCutsLongTitles)
{
    ASSERT_TRUE(StartApp());
    const QString exact40 = QString(40, QLatin1Char('a'));
    const QString long41 = QStringLiteral("#kanal - ") + QString(32, QLatin1Char('t'));
    ASSERT_EQ(long41.size(), 41);
    AddPlainChild(Frame(), exact40);
    AddPlainChild(Frame(), long41);
    m_app->RefreshShell(Shell::RefreshMenus);
    QStringList entries;
    for (QAction *action : Frame()->WindowMenu()->actions())
        if (action->data().toInt() >= CommandId::WindowMenuFirst)
            entries << action->text();
    EXPECT_EQ(entries, (QStringList{exact40, long41.left(36) + " ..."}));
    EXPECT_EQ(MainWindow::WindowMenuText(long41), long41.left(36) + " ...");

    // Choosing an entry activates its window.
    Frame()->WindowMenu()->actions().at(Frame()->WindowMenu()->actions().size() - 2)->trigger();
    EXPECT_EQ(Frame()->ActiveChild()->windowTitle(), exact40);
}

TEST_F(MainFrameTest, HelpWindowOpensOnceAsAChild)
{
    // A favourite server keeps the welcome dialog, which would take the key, away.
    ASSERT_TRUE(StartApp("[Servers]\nDoma=127.0.0.1 1 0\n"));
    QApplication::setActiveWindow(Frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    QTest::keyClick(Frame(), Qt::Key_F1);
    ASSERT_TRUE(m_app->HelpWindow());
    EXPECT_EQ(Frame()->Children().size(), 1);
    EXPECT_EQ(Frame()->ActiveChild()->windowTitle(), "Pomocník");
    Frame()->RunCommand(CommandId::Help);
    EXPECT_EQ(Frame()->Children().size(), 1);
    Frame()->ActiveChild()->close();
    EXPECT_TRUE(WaitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return m_app->HelpWindow() == nullptr;
    }));
}

// With windows over the left part, the area finds free room for a new window
// at its right edge; the new window must still be wholly visible.
TEST_F(MainFrameTest, ANewChildWindowLiesInsideTheArea)
{
    ASSERT_TRUE(StartApp());
    Frame()->resize(1000, 700);
    Frame()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    const QRect area = Frame()->MdiArea()->viewport()->rect();
    const QRect earlier[] = {{0, 0, area.width() * 53 / 100, area.height() / 2},
                             {20, 20, area.width() * 53 / 100, area.height() / 2},
                             {40, 40, area.width() * 66 / 100, area.height() * 2 / 3}};
    for (const QRect &geometry : earlier)
        AddPlainChild(Frame(), QStringLiteral("earlier"))->setGeometry(geometry);
    QMdiSubWindow *child = AddPlainChild(Frame(), QStringLiteral("new"));
    EXPECT_TRUE(area.contains(child->geometry()))
        << child->x() << "," << child->y() << " " << child->width() << "x" << child->height();
}

TEST_F(MainFrameTest, PlacementAndBarsAreRestoredAtTheNextStart)
{
    ASSERT_TRUE(StartApp());
    Frame()->showNormal();
    Frame()->setGeometry(40, 50, 700, 500);
    Frame()->RunCommand(CommandId::ShowEditBar);
    Frame()->RunCommand(CommandId::ShowMainBar);
    EXPECT_TRUE(Frame()->EditBar()->isVisible());
    Frame()->close();
    EXPECT_TRUE(m_app->HasExited());
    EXPECT_EQ(ReadString("Wnd_Main", "Zoomed"), "False");
    EXPECT_EQ(ReadInt("Wnd_Main", "Right"), 700);
    EXPECT_EQ(ReadInt("Wnd_Main", "Bottom"), 500);
    StopApp();

    ASSERT_TRUE(StartApp());
    EXPECT_FALSE(Frame()->isMaximized());
    EXPECT_EQ(Frame()->geometry().size(), QSize(700, 500));
    EXPECT_TRUE(Frame()->EditBar()->isVisible());
    EXPECT_FALSE(Frame()->ToolsBar()->isVisible());
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(Frame()->Action(CommandId::ShowEditBar)->isChecked());
    EXPECT_FALSE(Frame()->Action(CommandId::ShowMainBar)->isChecked());
}

// A place saved on a screen that is gone comes back on one that exists.
TEST_F(MainFrameTest, ThePlaceSavedOnAScreenThatIsGoneIsBroughtOntoOneThatExists)
{
    ASSERT_TRUE(StartApp("[Wnd_Main]\nZoomed=False\nLeft=3000\nTop=2000\nRight=700\nBottom=500\n"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(Frame()->geometry())) << Frame()->x() << "," << Frame()->y();
    EXPECT_EQ(Frame()->geometry().size(), QSize(700, 500).boundedTo(screen.size()));

    const QRect left(0, 0, 1280, 800);
    const QRect right(1280, 0, 1920, 1080);
    EXPECT_EQ(OnScreen(QRect(1400, 100, 800, 600), {left, right}), QRect(1400, 100, 800, 600));
    EXPECT_EQ(OnScreen(QRect(1400, 100, 800, 600), {left}), QRect(480, 100, 800, 600));
    EXPECT_EQ(OnScreen(QRect(1200, 100, 800, 600), {left, right}), QRect(1280, 100, 800, 600));
    EXPECT_EQ(OnScreen(QRect(-5000, -5000, 2000, 900), {left, right}), QRect(0, 0, 1280, 800));
}

TEST_F(MainFrameTest, ConnectAndFavouritesButtonsHaveDropDowns)
{
    ASSERT_TRUE(StartApp("[Servers]\nAlfa=127.0.0.1 1 0\n[Channels Group Alfa]\n#brimo=#brimo 1\n"));
    QToolBar *bar = Frame()->ToolsBar();
    int dropDowns = 0;
    QStringList tips;
    for (QAction *action : bar->actions()) {
        if (action->isSeparator())
            continue;
        tips << action->toolTip();
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action)))
            dropDowns += button->popupMode() == QToolButton::MenuButtonPopup ? 1 : 0;
    }
    EXPECT_EQ(dropDowns, 2);
    EXPECT_EQ(tips.size(), 9);
    EXPECT_EQ(tips.first(), "Pripojiť sa do IRC siete");
    EXPECT_EQ(tips.last(), "O programe Brimo");
    QMenu *channels = Frame()->FavouriteChannelsMenu();
    ASSERT_TRUE(channels);
    EXPECT_TRUE(TitlesOf(channels->actions()).contains("#brimo"));
}

namespace {

QString HelpFolder()
{
    const QString source = qEnvironmentVariable("BRIMO_SOURCE_DIR");
    if (!source.isEmpty())
        return source + QStringLiteral("/resources/Help");
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../Help");
}

QString ReadHelpPage(const QString &name)
{
    QFile file(HelpFolder() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

TEST(HelpPages, IndexLinksPagesThatExistAndExplainEveryCommand)
{
    const QString index = ReadHelpPage(QStringLiteral("Index.Htm"));
    ASSERT_FALSE(index.isEmpty()) << HelpFolder().toStdString();
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+\\.Htm)\""));
    int pages = 0;
    for (const QRegularExpressionMatch &match : link.globalMatch(index)) {
        EXPECT_FALSE(ReadHelpPage(match.captured(1)).isEmpty()) << match.captured(1).toStdString();
        ++pages;
    }
    EXPECT_GE(pages, 4);

    const QString commands = ReadHelpPage(QStringLiteral("Prikazy.Htm"));
    for (const char *word :
         {"connect", "server", "quit",      "close", "nick",  "reguser", "search", "join",    "msg",  "notice",
          "debug",   "query",  "servermsg", "quote", "help",  "timer",   "who",    "whois",   "mode", "load",
          "unload",  "dcc",    "ignore",    "link",  "topic", "away",    "action", "favorite"}) {
        // Each command has a heading and at least one example line.
        EXPECT_TRUE(commands.contains(QStringLiteral("<h2 id=\"%1\">").arg(QLatin1String(word)))
                    || commands.contains(QStringLiteral("/%1 ").arg(QLatin1String(word))))
            << word;
        EXPECT_TRUE(commands.contains(QRegularExpression(QStringLiteral("<pre>[^<]*/%1\\b").arg(QLatin1String(word)))))
            << word;
    }
    const QString scripts = ReadHelpPage(QStringLiteral("Skripty.Htm"));
    for (const char *needle : {"echo", "msg", "cmd", "this name", "OnClient", "proc /"})
        EXPECT_TRUE(scripts.contains(QLatin1String(needle))) << needle;
}

TEST_F(MainFrameTest, QtsOwnButtonsDialogsAndContextMenusSpeakSlovak)
{
    ASSERT_TRUE(StartApp());
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), "Áno");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), "Nie");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), "Zrušiť");

    QTemporaryDir folder;
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(folder.path())), "Priečinok");

    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    EXPECT_EQ(TitlesOf(menu->actions()).value(0).section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')), "Späť");

    // They go back to Qt's English when the application ends.
    StopApp();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
}

TEST_F(MainFrameTest, ReconnectTriesTheActiveWindowsServerAtOnceEvenAfterARefusal)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    EXPECT_EQ(Frame()->ActiveSession(), session);
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(Frame()->Action(CommandId::Reconnect)->isEnabled());

    m_server.SendLine(":irc.test 465 tester :You are banned from this server");
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    EXPECT_TRUE(session->IsRefusedForGood());
    Frame()->Action(CommandId::Reconnect)->trigger();
    EXPECT_TRUE(session->IsConnecting());
    ASSERT_TRUE(m_server.WaitForClient(2));
    EXPECT_FALSE(session->IsRefusedForGood());
}
