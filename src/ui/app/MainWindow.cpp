#include "app/MainWindow.h"

#include "app/AppIcons.h"
#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindowArea.h"
#include "app/ShellChild.h"
#include "app/WindowBar.h"
#include "config/Config.h"
#include "config/FavouriteServers.h"
#include "conversation/Conversation.h"
#include "dialogs/AddressBookDialog.h"
#include "dialogs/FavouriteChannelsDialog.h"
#include "dialogs/IgnoreListDialog.h"
#include "dialogs/SettingsDialog.h"
#include "history/ConversationLog.h"
#include "find/MentionsWindow.h"
#include "transfers/TransfersWindow.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Strings.h"
#include "widgets/MenuText.h"
#include "widgets/OnScreen.h"
#include "widgets/Utf8Text.h"
#include "windows/ConversationWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindowStateChangeEvent>

namespace {

const char *const kWndMain = "Wnd_Main";
const char *const kBarStates = "Bar States";

QString Text(StrText text)
{
    return FromStr(text);
}

} // namespace

MainWindow::MainWindow(BrimoApp &app) : m_app(app), m_trayAvailable(&QSystemTrayIcon::isSystemTrayAvailable)
{
    setWindowTitle(QStringLiteral("Brimo"));
    setWindowIcon(AppIcons::Application());
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    m_mdi = new MainWindowArea(this);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::OnChildActivated);

    CreateActions();
    CreateBars();

    m_timer0 = new QTimer(this);
    m_timer0->setInterval(kTimerPeriodMs);
    connect(m_timer0, &QTimer::timeout, this, [this] { m_app.TimerTick(); });
    m_timer0->start();

    m_trayWatch = new QTimer(this);
    m_trayWatch->setInterval(kTrayWatchMs);
    connect(m_trayWatch, &QTimer::timeout, this, &MainWindow::WatchTray);
}

MainWindow::~MainWindow() = default;

// ---- child windows ----

ConversationView *MainWindow::CreateChildView(Conversation &conversation)
{
    ConversationWindow *frame = ConversationWindow::Open(m_mdi, conversation, &m_app, m_app.Settings());
    // Before anything new: where the talk stood when the window last closed.
    if (frame)
        frame->ShowAgain(m_app.Log().LastLines(conversation, m_app.Settings().m_logReplayLines));
    if (!frame || !frame->SubWindow())
        return frame;
    QMdiSubWindow *child = frame->SubWindow();
    child->installEventFilter(this);
    // A window without a saved place gets a usable size, cascaded below the others.
    const bool placed = ChildWindow::ReadSavedRecord(frame->RecordKey()).m_hasPosition;
    if (!child->isMaximized() && (!placed || child->height() < kMinimumChildHeight)) {
        const QSize area = m_mdi->viewport()->size();
        const int offset = 24 * ((Children().size() - 1) % 8);
        child->setGeometry(offset, offset, qMax(320, area.width() * 2 / 3), qMax(240, area.height() * 2 / 3));
        ChildWindow::KeepInsideArea(child);
    }
    return frame;
}

QMdiSubWindow *MainWindow::AddChild(QWidget *widget, const QString &title)
{
    widget->setWindowTitle(title);
    QMdiSubWindow *child = m_mdi->addSubWindow(widget);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->installEventFilter(this);
    connect(widget, &QWidget::windowTitleChanged, this, [this, child] { FollowChildTitle(child); });
    connect(child, &QObject::destroyed, this, [this] {
        // Later, once the area has forgotten the window.
        QTimer::singleShot(0, this, [this] { m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar); });
    });
    const QSize area = m_mdi->viewport()->size();
    child->resize(qMax(child->sizeHint().width(), area.width() * 2 / 3),
                  qMax(child->sizeHint().height(), area.height() * 2 / 3));
    if (ReadBool(kBaseSection, "Zoomed") || (ActiveChild() && ActiveChild()->isMaximized())) {
        child->showMaximized();
    } else {
        child->show();
        // The area places a new window in free room, which may leave most of
        // it beyond the area's right or bottom edge once it has its size.
        ChildWindow::KeepInsideArea(child);
    }
    m_mdi->setActiveSubWindow(child);
    return child;
}

// The channel search renames its window at every batch of a list: rebuilding
// the menus each time would close the one the user has open.
void MainWindow::FollowChildTitle(QMdiSubWindow *child)
{
    m_app.RefreshShell(Shell::RefreshWindowBar);
    if (!m_windowMenu)
        return;
    for (QAction *action : m_windowMenu->actions())
        if (action->property(kChildProperty).value<QObject *>() == child)
            action->setText(WindowMenuEntry(child->windowTitle()));
}

QMdiSubWindow *MainWindow::ActiveChild() const
{
    QMdiSubWindow *child = m_mdi->activeSubWindow();
    return child ? child : m_mdi->currentSubWindow();
}

ShellChild *MainWindow::ActiveShellChild() const
{
    QMdiSubWindow *child = ActiveChild();
    return child ? dynamic_cast<ShellChild *>(child->widget()) : nullptr;
}

QList<QMdiSubWindow *> MainWindow::Children() const
{
    // A closed window stays in the area until it is deleted.
    QList<QMdiSubWindow *> children = m_mdi->subWindowList(QMdiArea::CreationOrder);
    children.removeIf([](QMdiSubWindow *child) { return child->isHidden(); });
    return children;
}

void MainWindow::ActivateChild(QMdiSubWindow *child)
{
    if (!child)
        return;
    if (child->isMinimized())
        child->showNormal();
    m_mdi->setActiveSubWindow(child);
    m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings);
}

void MainWindow::OnChildActivated(QMdiSubWindow *)
{
    if (m_closing)
        return;
    m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar);
}

// ---- RefreshShell parts ----

void MainWindow::RefreshWindowBar()
{
    m_channelsBar->Refresh();
}

void MainWindow::RefreshTrayIcon(bool enabled)
{
    delete m_tray;
    m_tray = nullptr;
    if (!enabled)
        return;
    m_tray = new QSystemTrayIcon(AppIcons::Application(), this);
    m_trayPicture = TrayBlinker::Icon::Normal;
    m_trayPictureChanges = 0;
    m_tray->setToolTip(QStringLiteral("Brimo"));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            RestoreFromTray();
    });
    m_tray->show();
}

void MainWindow::ShowTrayPicture(TrayBlinker::Icon picture)
{
    if (!m_tray || picture == m_trayPicture)
        return;
    m_trayPicture = picture;
    m_tray->setIcon(picture == TrayBlinker::Icon::Blink ? AppIcons::TrayBlink() : AppIcons::Application());
    ++m_trayPictureChanges;
}

void MainWindow::RefreshChildSettings()
{
    for (QMdiSubWindow *child : Children())
        if (auto *shellChild = dynamic_cast<ShellChild *>(child->widget()))
            shellChild->SettingsChanged();
}

void MainWindow::RefreshLayout()
{
    UpdateCommandStates();
    update();
}

// ---- tray ----

void MainWindow::RestoreFromTray()
{
    m_hiddenInTray = false;
    m_trayWatch->stop();
    m_app.Balloons().Clear();
    if (isMinimized() || windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings);
}

bool MainWindow::MinimiseToTray()
{
    const AppSettings &settings = m_app.Settings();
    if (!settings.m_enableTray || !settings.m_hideMinimized || !m_tray || !m_trayAvailable())
        return false;
    // Hidden instead of minimised; the tray icon brings it back.
    QTimer::singleShot(0, this, [this] {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        hide();
        m_hiddenInTray = true;
        m_trayWatch->start();
    });
    return true;
}

void MainWindow::WatchTray()
{
    if (!m_hiddenInTray || isVisible() || m_closing || m_app.HasExited()) {
        m_hiddenInTray = false;
        m_trayWatch->stop();
        return;
    }
    if (!m_tray || !m_trayAvailable())
        RestoreFromTray();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    auto *change = static_cast<QWindowStateChangeEvent *>(event);
    if (isMinimized() && !(change->oldState() & Qt::WindowMinimized))
        MinimiseToTray();
}

// ---- placement ----

bool MainWindow::ShouldStartMaximised() const
{
    return ReadBool(kWndMain, "Zoomed");
}

void MainWindow::RestorePlacement()
{
    bool present = false;
    ReadBool(kWndMain, "Zoomed", &present);
    if (present) {
        const int left = ReadInt(kWndMain, "Left");
        const int top = ReadInt(kWndMain, "Top");
        const int width = ReadInt(kWndMain, "Right");
        const int height = ReadInt(kWndMain, "Bottom");
        if (width > 0 && height > 0)
            setGeometry(OnScreen(QRect(left, top, width, height), AvailableScreens()));
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        // First run: a comfortable size in the middle of the screen.
        const QRect available = screen->availableGeometry();
        const QSize size = available.size() * 0.8;
        setGeometry(
            QRect(available.topLeft()
                      + QPoint((available.width() - size.width()) / 2, (available.height() - size.height()) / 2),
                  size));
    }
    const QByteArray state = m_app.BarStateStore().value(QLatin1String(kBarStates)).toByteArray();
    if (!state.isEmpty())
        restoreState(state);
}

void MainWindow::SavePlacement()
{
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    WriteBool(kWndMain, "Zoomed", isMaximized());
    WriteInt(kWndMain, "Left", normal.left());
    WriteInt(kWndMain, "Top", normal.top());
    WriteInt(kWndMain, "Right", normal.width());
    WriteInt(kWndMain, "Bottom", normal.height());
    QMdiSubWindow *child = ActiveChild();
    SaveZoomed(child && child->isMaximized());
    m_app.BarStateStore().setValue(QLatin1String(kBarStates), saveState());
    m_app.BarStateStore().sync();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A closed child goes away only later; its button and menu entry go now.
    if (event->type() == QEvent::Hide && qobject_cast<QMdiSubWindow *>(watched) && !m_closing)
        QTimer::singleShot(0, this, [this] { m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar); });
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closing && !ChildrenConfirmClose()) {
        event->ignore();
        return;
    }
    event->accept();
    EndProgram();
}

bool MainWindow::ChildrenConfirmClose()
{
    QList<QPointer<QMdiSubWindow>> children;
    for (QMdiSubWindow *child : Children())
        children.append(child);
    for (const QPointer<QMdiSubWindow> &child : children) {
        auto *shellChild = child ? dynamic_cast<ShellChild *>(child->widget()) : nullptr;
        if (shellChild && !shellChild->ConfirmClose())
            return false;
    }
    return true;
}

void MainWindow::EndProgram()
{
    if (m_closing)
        return;
    m_closing = true;
    SavePlacement();
    m_app.Exit();
    QCoreApplication::quit();
}

// ---- bars ----

void MainWindow::CreateBars()
{
    CreateToolsBar();
    m_channelsBar = new WindowBar(Action(CommandId::ShowWindowBar)->text().remove(QLatin1Char('&')), m_mdi, this);
    m_channelsBar->setObjectName(QStringLiteral("ChannelsBar"));
    connect(m_channelsBar, &WindowBar::childActivated, this, [this](QMdiSubWindow *child) { ActivateChild(child); });
    CreateEditBar();

    addToolBar(Qt::TopToolBarArea, m_toolsBar);
    addToolBar(Qt::TopToolBarArea, m_channelsBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_editBar);
    for (QToolBar *bar : {m_toolsBar, static_cast<QToolBar *>(m_channelsBar), m_editBar}) {
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setMovable(true);
        bar->setFloatable(true);
        connect(bar, &QToolBar::visibilityChanged, this, [this] { UpdateCommandStates(); });
    }
    m_editBar->hide();
}

void MainWindow::CreateToolsBar()
{
    m_toolsBar = new QToolBar(Action(CommandId::ShowMainBar)->text().remove(QLatin1Char('&')), this);
    m_toolsBar->setObjectName(QStringLiteral("ToolsBar"));
    m_toolsBar->setContentsMargins(1, 3, 6, 4);
    struct Button
    {
        int id;
        StrText tip;
    };
    static const Button buttons[] = {
        {CommandId::Connect, Str::ConnectTip},
        {CommandId::Favourites, Str::FavouritesTip},
        {CommandId::ChannelSearch, Str::ChannelSearchTip},
        {0, {}},
        {CommandId::AddressBook, {}}, // no tip of its own: the menu item's text
        {CommandId::AwayOn, Str::AwayOnTip},
        {CommandId::AwayOff, Str::AwayOffTip},
        {CommandId::IgnoreList, Str::IgnoreListTip},
        {0, {}},
        {CommandId::Settings, Str::SettingsTip},
        {CommandId::About, Str::AboutTip},
    };
    m_toolsConnectMenu = new QMenu(this);
    m_toolsFavouritesMenu = new QMenu(this);
    for (const Button &button : buttons) {
        if (button.id == 0) {
            m_toolsBar->addSeparator();
            continue;
        }
        // The bar shows its own action so that the tool tip is the bar's.
        QAction *source = Action(button.id);
        auto *action = new QAction(AppIcons::Command(button.id), source->text(), m_toolsBar);
        action->setToolTip(button.tip.number ? Text(button.tip) : ToolTipOfMenuText(source->text()));
        action->setData(button.id);
        connect(action, &QAction::triggered, this, [this, id = button.id] { RunCommand(id); });
        connect(source, &QAction::changed, action, [action, source] { action->setEnabled(source->isEnabled()); });
        action->setEnabled(source->isEnabled());
        m_toolsBar->addAction(action);
        if (button.id == CommandId::Connect || button.id == CommandId::Favourites) {
            action->setMenu(button.id == CommandId::Connect ? m_toolsConnectMenu : m_toolsFavouritesMenu);
            if (auto *tool = qobject_cast<QToolButton *>(m_toolsBar->widgetForAction(action)))
                tool->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }
    connect(m_toolsConnectMenu, &QMenu::aboutToShow, this, [this] { FillServersMenu(m_toolsConnectMenu); });
    connect(m_toolsFavouritesMenu, &QMenu::aboutToShow, this,
            [this] { FillFavouriteChannelsMenu(m_toolsFavouritesMenu); });
}

void MainWindow::CreateEditBar()
{
    m_editBar = new QToolBar(Action(CommandId::ShowEditBar)->text().remove(QLatin1Char('&')), this);
    m_editBar->setObjectName(QStringLiteral("EditBar"));
    static const int commands[] = {CommandId::EditUndo,
                                   CommandId::EditRedo,
                                   0,
                                   CommandId::EditCut,
                                   CommandId::EditCopy,
                                   CommandId::EditPaste,
                                   CommandId::EditPasteSpecial,
                                   0,
                                   CommandId::TextColourMenu,
                                   CommandId::BackgroundColourMenu,
                                   0,
                                   CommandId::Bold,
                                   CommandId::Underline,
                                   CommandId::Plain,
                                   CommandId::Inverse};
    for (int id : commands) {
        if (id == 0) {
            m_editBar->addSeparator();
            continue;
        }
        m_editBar->addAction(Action(id));
    }
}

void MainWindow::ToggleBar(QToolBar *bar)
{
    bar->setVisible(!bar->isVisible());
    UpdateCommandStates();
}

// ---- commands ----

bool MainWindow::IsChildCommand(int id) const
{
    switch (id) {
    case CommandId::ChannelSearch:
    case CommandId::SearchJoin:
    case CommandId::SearchAddFavourite:
    case CommandId::SearchShowUsers:
    case CommandId::SearchSendMessage:
    case CommandId::SearchSaveList:
        return true;
    default:
        break;
    }
    if (id >= CommandId::TextColourFirst && id < CommandId::TextColourFirst + 16)
        return true;
    if (id >= CommandId::BackgroundColourFirst && id < CommandId::BackgroundColourFirst + 16)
        return true;
    if (id >= CommandId::RemoveScriptFirst && id <= CommandId::RemoveScriptNone)
        return true;
    if (id >= CommandId::ChannelTopic && id <= CommandId::UserProperties)
        return true;
    static const int editAndScript[] = {
        CommandId::EditUndo,   CommandId::EditRedo,         CommandId::EditCut,        CommandId::EditCopy,
        CommandId::EditPaste,  CommandId::EditPasteSpecial, CommandId::TextColourMenu, CommandId::BackgroundColourMenu,
        CommandId::Bold,       CommandId::Underline,        CommandId::Plain,          CommandId::Inverse,
        CommandId::ScriptSave, CommandId::ScriptSaveAs,     CommandId::ScriptClose,    CommandId::ScriptParse,
        CommandId::ScriptRun,
    };
    return std::find(std::begin(editAndScript), std::end(editAndScript), id) != std::end(editAndScript);
}

void MainWindow::RunCommand(int id)
{
    if (IsChildCommand(id)) {
        if (ShellChild *child = ActiveShellChild())
            child->HandleCommand(id);
        return;
    }
    if (!RunConnectCommand(id) && !RunWindowCommand(id))
        RunHelpCommand(id);
}

// The commands of "&Pripojiť" that the main window carries out itself.
bool MainWindow::RunConnectCommand(int id)
{
    switch (id) {
    case CommandId::Connect:
        m_app.ConnectFavourite(FavouriteServers::DefaultServer());
        return true;
    case CommandId::Welcome:
        m_app.OpenWelcome();
        return true;
    case CommandId::FindEverywhere:
        m_app.OpenFindEverywhere();
        return true;
    case CommandId::Reconnect:
        if (Session *session = ActiveSession())
            session->ReconnectNow();
        return true;
    case CommandId::Favourites:
        OpenFavourites();
        return true;
    case CommandId::AddressBook:
        OpenAddressBook();
        return true;
    case CommandId::IgnoreList:
        OpenIgnoreList();
        return true;
    case CommandId::AwayOn:
        m_app.SetAwayEverywhere(true);
        return true;
    case CommandId::AwayOff:
        m_app.SetAwayEverywhere(false);
        return true;
    case CommandId::Settings:
        // From the event loop, not from inside the menu that sent the
        // command: closing the sheet rebuilds the menus.
        QTimer::singleShot(0, this, [this] {
            if (!findChild<SettingsDialog *>())
                SettingsDialog::Open(m_app, m_app.Settings(), this);
        });
        return true;
    case CommandId::Exit:
        close();
        return true;
    default:
        return false;
    }
}

// The bars of "&Zobraziť", the child windows of "&Okná" and the editors of "&Skript".
bool MainWindow::RunWindowCommand(int id)
{
    switch (id) {
    case CommandId::ShowMainBar:
        ToggleBar(m_toolsBar);
        return true;
    case CommandId::ShowWindowBar:
        ToggleBar(m_channelsBar);
        return true;
    case CommandId::ShowEditBar:
        ToggleBar(m_editBar);
        return true;
    case CommandId::WindowCascade:
        m_mdi->Cascade();
        return true;
    case CommandId::WindowTile:
        m_mdi->tileSubWindows();
        return true;
    case CommandId::NextWindow:
        m_mdi->activateNextSubWindow();
        return true;
    case CommandId::PreviousWindow:
        m_mdi->activatePreviousSubWindow();
        return true;
    case CommandId::Mentions:
        OpenMentions();
        return true;
    case CommandId::Transfers:
        OpenTransfers();
        return true;
    case CommandId::NewScript:
        m_app.OpenScriptEditor(std::string());
        return true;
    case CommandId::OpenScript:
        OpenScriptFile();
        return true;
    default:
        return false;
    }
}

// "Po&mocník".
bool MainWindow::RunHelpCommand(int id)
{
    switch (id) {
    case CommandId::Help:
        m_app.OpenHelpWindow();
        return true;
    case CommandId::DonationPage:
        m_app.OpenLink("https://www.brimo.example/podpora");
        return true;
    case CommandId::ToggleDonating:
        SaveDonating(!ReadBool(kBaseSection, "Donating"));
        m_app.RefreshShell(Shell::RefreshSettings);
        return true;
    case CommandId::About: {
        const std::string version = QCoreApplication::applicationVersion().toStdString();
        QMessageBox::about(this, Text(Str::AboutTip),
                           FromUtf8(Strings::Format(Str::AboutText, version.c_str(), Strings::Get(Str::AppTagline))));
        return true;
    }
    default:
        return false;
    }
}

MentionsWindow *MainWindow::OpenMentions()
{
    if (m_mentions) {
        ActivateChild(m_mentions->SubWindow());
        return m_mentions;
    }
    m_mentions = new MentionsWindow(m_app.Sessions());
    AddChild(m_mentions, m_mentions->Caption());
    m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar);
    return m_mentions;
}

TransfersWindow *MainWindow::OpenTransfers(bool activate)
{
    if (!m_transfers) {
        QMdiSubWindow *before = ActiveChild();
        m_transfers = new TransfersWindow(m_app.DirectConnects());
        AddChild(m_transfers, m_transfers->windowTitle());
        if (!activate && before)
            ActivateChild(before);
        m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar);
    } else if (activate) {
        ActivateChild(m_transfers->SubWindow());
    }
    return m_transfers;
}

void MainWindow::OpenScriptFile()
{
    const std::string path = m_app.OpenFileDialog(ExeDirectory(), Strings::Get(Str::ScriptFileFilter));
    if (!path.empty())
        m_app.OpenScriptEditor(path);
}

Session *MainWindow::ActiveSession() const
{
    const ShellChild *child = ActiveShellChild();
    if (!child || child->SessionName().isEmpty())
        return nullptr;
    return m_app.FindSession(child->SessionName().toStdString());
}

void MainWindow::OpenFavourites()
{
    const Session *session = ActiveSession();
    auto *dialog = new FavouriteChannelsDialog(m_app, session ? session->ConfName() : std::string(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this,
            [this] { m_app.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings); });
    dialog->open();
}

void MainWindow::OpenAddressBook()
{
    // The dialog reads the contact list again when it closes; every window
    // then shows the contacts anew.
    auto *dialog = new AddressBookDialog(m_app, m_app.Sessions().Contacts(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &MainWindow::RedrawAll);
    dialog->open();
}

void MainWindow::OpenIgnoreList()
{
    const Session *session = ActiveSession();
    if (!session)
        return;
    auto *dialog = new IgnoreListDialog(m_app.Sessions(), session->Key(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::RedrawAll()
{
    update();
    for (QWidget *widget : findChildren<QWidget *>())
        widget->update();
}

void MainWindow::UpdateCommandStates()
{
    const ShellChild *child = ActiveShellChild();
    const bool haveSessions = m_app.Sessions().Count() > 0;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const int id = it.key();
        QAction *action = it.value();
        bool enabled = true;
        bool checked = false;
        if (IsChildCommand(id)) {
            enabled = child && child->UpdateCommand(id, enabled, checked) && enabled;
        } else {
            switch (id) {
            case CommandId::IgnoreList:
                enabled = ActiveSession() != nullptr;
                break;
            case CommandId::Connect:
                enabled = FavouriteServers::Record(FavouriteServers::DefaultServer()).has_value();
                break;
            case CommandId::AwayOn:
            case CommandId::AwayOff:
                enabled = haveSessions;
                break;
            case CommandId::Reconnect:
                enabled = ActiveSession() != nullptr;
                break;
            case CommandId::ShowMainBar:
                checked = m_toolsBar && m_toolsBar->isVisible();
                break;
            case CommandId::ShowWindowBar:
                checked = m_channelsBar && m_channelsBar->isVisible();
                break;
            case CommandId::ShowEditBar:
                checked = m_editBar && m_editBar->isVisible();
                break;
            case CommandId::ToggleDonating:
                checked = m_app.Settings().m_donating;
                break;
            default:
                break;
            }
        }
        action->setEnabled(enabled);
        if (action->isCheckable())
            action->setChecked(checked);
    }
}
