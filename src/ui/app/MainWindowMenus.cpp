// The menus of the main window: the actions of every command and the menu
// bar, rebuilt from the configuration file on every RefreshShell with bit 1.
#include "app/AppIcons.h"
#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/MainWindowArea.h"
#include "app/ShellChild.h"
#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "config/FavouriteServers.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/Colors.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

struct MenuItem
{
    int id; // 0: separator
    StrText text;
    const char *keys; // portable key sequence text, or null
    bool checkable;
};

const MenuItem kActionTable[] = {
    // Pripojiť
    {CommandId::Connect, Str::CommandConnect, "Ctrl+Z", false},
    {CommandId::Welcome, Str::CommandWelcome, nullptr, false},
    {CommandId::Reconnect, Str::CommandReconnect, nullptr, false},
    {CommandId::Favourites, Str::CommandFavourites, "Ctrl+J", false},
    {CommandId::ChannelSearch, Str::CommandChannelSearch, nullptr, false},
    {CommandId::FindEverywhere, Str::FindEverywhereMenu, "Ctrl+Shift+F", false},
    {CommandId::SearchJoin, Str::CommandSearchJoin, nullptr, false},
    {CommandId::SearchAddFavourite, Str::CommandSearchAddFavourite, nullptr, false},
    {CommandId::SearchShowUsers, Str::CommandSearchShowUsers, nullptr, false},
    {CommandId::SearchSendMessage, Str::CommandSearchSendMessage, nullptr, false},
    {CommandId::SearchSaveList, Str::CommandSearchSaveList, nullptr, false},
    {CommandId::AddressBook, Str::CommandAddressBook, nullptr, false},
    {CommandId::IgnoreList, Str::CommandIgnoreList, nullptr, false},
    {CommandId::AwayOn, Str::CommandAwayOn, nullptr, false},
    {CommandId::AwayOff, Str::CommandAwayOff, nullptr, false},
    {CommandId::Settings, Str::CommandSettings, "Ctrl+O", false},
    {CommandId::Exit, Str::CommandExit, "Ctrl+E", false},
    // Úpravy
    {CommandId::EditUndo, Str::CommandEditUndo, "Alt+Backspace", false},
    {CommandId::EditRedo, Str::CommandEditRedo, "Ctrl+Y", false},
    {CommandId::EditCut, Str::CommandEditCut, "Ctrl+X", false},
    {CommandId::EditCopy, Str::CommandEditCopy, "Ctrl+C", false},
    {CommandId::EditPaste, Str::CommandEditPaste, "Ctrl+V", false},
    {CommandId::EditPasteSpecial, Str::CommandEditPasteSpecial, nullptr, false},
    {CommandId::Bold, Str::CommandBold, "Ctrl+B", true},
    {CommandId::Underline, Str::CommandUnderline, "Ctrl+U", true},
    {CommandId::Plain, Str::CommandPlain, "Ctrl+P", false},
    {CommandId::Inverse, Str::CommandInverse, "Ctrl+I", false},
    {CommandId::TextColourMenu, Str::CommandTextColourMenu, "Ctrl+K", false},
    {CommandId::BackgroundColourMenu, Str::CommandBackgroundColourMenu, "Ctrl+L", false},
    // Zobraziť
    {CommandId::ShowMainBar, Str::CommandShowMainBar, nullptr, true},
    {CommandId::ShowWindowBar, Str::CommandShowWindowBar, nullptr, true},
    {CommandId::ShowEditBar, Str::CommandShowEditBar, nullptr, true},
    {CommandId::ViewTimeStamps, Str::CommandViewTimeStamps, nullptr, true},
    {CommandId::ViewAutoScroll, Str::CommandViewAutoScroll, nullptr, true},
    {CommandId::ViewFullAddress, Str::CommandViewFullAddress, nullptr, true},
    {CommandId::ViewSmileys, Str::CommandViewSmileys, nullptr, true},
    {CommandId::ViewShowAway, Str::CommandViewShowAway, nullptr, true},
    {CommandId::ViewSource, Str::CommandViewSource, nullptr, false},
    {CommandId::ViewSaveAs, Str::CommandViewSaveAs, nullptr, false},
    // Kanál
    {CommandId::ChannelTopic, Str::CommandChannelTopic, nullptr, false},
    {CommandId::ModeTopicOps, Str::CommandModeTopicOps, nullptr, true},
    {CommandId::ModeNoExternal, Str::CommandModeNoExternal, nullptr, true},
    {CommandId::ModeInviteOnly, Str::CommandModeInviteOnly, nullptr, true},
    {CommandId::ModeModerated, Str::CommandModeModerated, nullptr, true},
    {CommandId::ModePrivate, Str::CommandModePrivate, nullptr, true},
    {CommandId::ModeSecret, Str::CommandModeSecret, nullptr, true},
    {CommandId::ModeKey, Str::CommandModeKey, nullptr, true},
    {CommandId::ModeLimit, Str::CommandModeLimit, nullptr, true},
    {CommandId::ChannelBans, Str::CommandChannelBans, nullptr, false},
    {CommandId::ChannelRefresh, Str::CommandChannelRefresh, nullptr, false},
    {CommandId::ChannelAddFavourite, Str::CommandChannelAddFavourite, nullptr, false},
    {CommandId::ChannelProperties, Str::CommandProperties, nullptr, false},
    {CommandId::ChannelSearchHere, Str::CommandChannelSearchHere, nullptr, false},
    {CommandId::LoadScript, Str::CommandLoadScript, nullptr, false},
    // Užívateľ
    {CommandId::UserQuery, Str::CommandUserQuery, nullptr, false},
    {CommandId::UserWhois, Str::CommandUserWhois, nullptr, false},
    {CommandId::UserProperties, Str::CommandProperties, nullptr, false},
    {CommandId::UserAddContact, Str::CommandUserAddContact, nullptr, false},
    {CommandId::UserDccChat, Str::CommandUserDccChat, nullptr, false},
    {CommandId::UserDccSend, Str::CommandUserDccSend, nullptr, false},
    {CommandId::UserOp, Str::CommandUserOp, nullptr, false},
    {CommandId::UserDeop, Str::CommandUserDeop, nullptr, false},
    {CommandId::UserVoice, Str::CommandUserVoice, nullptr, false},
    {CommandId::UserDevoice, Str::CommandUserDevoice, nullptr, false},
    {CommandId::UserKick, Str::CommandUserKick, nullptr, false},
    {CommandId::UserKickReason, Str::CommandUserKickReason, nullptr, false},
    {CommandId::UserBan, Str::CommandUserBan, nullptr, false},
    {CommandId::UserBanKick, Str::CommandUserBanKick, nullptr, false},
    {CommandId::UserBanKickReason, Str::CommandUserBanKickReason, nullptr, false},
    {CommandId::UserIgnore, Str::CommandUserIgnore, nullptr, false},
    // Okná
    {CommandId::WindowCascade, Str::CommandWindowCascade, nullptr, false},
    {CommandId::WindowTile, Str::CommandWindowTile, nullptr, false},
    {CommandId::NextWindow, Str::CommandNextWindow, "F6", false},
    {CommandId::PreviousWindow, Str::CommandPreviousWindow, "Shift+F6", false},
    {CommandId::Transfers, Str::MenuTransfers, nullptr, false},
    // Skript
    {CommandId::NewScript, Str::CommandNewScript, "Ctrl+Alt+N", false},
    {CommandId::OpenScript, Str::CommandOpenScript, "Ctrl+Alt+O", false},
    {CommandId::ScriptSave, Str::CommandScriptSave, "Ctrl+Alt+S", false},
    {CommandId::ScriptSaveAs, Str::CommandScriptSaveAs, nullptr, false},
    {CommandId::ScriptClose, Str::CommandScriptClose, nullptr, false},
    {CommandId::ScriptParse, Str::CommandScriptParse, "F7", false},
    {CommandId::ScriptRun, Str::CommandScriptRun, "F5", false},
    // Pomocník
    {CommandId::Help, Str::CommandHelp, "F1", false},
    {CommandId::ToggleDonating, Str::CommandToggleDonating, nullptr, true},
    {CommandId::DonationPage, Str::CommandDonationPage, nullptr, false},
    {CommandId::About, Str::CommandAbout, nullptr, false},
};

// Menu resource 2: top-level menus and the command numbers of their items in
// order (0 a separator, negative numbers the submenus below).
enum Submenu {
    ServersSub = -1,
    FavouriteChannelsSub = -2,
    SearchSub = -3,
    TextColourSub = -4,
    BackgroundColourSub = -5,
    AdvancedSub = -6,
    WindowList = -7
};

struct TopMenu
{
    const char *objectName;
    StrText title;
    std::vector<int> items;
};

const std::vector<TopMenu> &MenuResource()
{
    using namespace CommandId;
    static const std::vector<TopMenu> menus = {
        {"connect",
         Str::MenuConnect,
         {ServersSub, Welcome, Reconnect, Favourites, FavouriteChannelsSub, SearchSub, FindEverywhere, 0, AddressBook,
          IgnoreList, 0, AwayOn, AwayOff, 0, Settings, 0, Exit}},
        {"edit",
         Str::MenuEdit,
         {EditUndo,
          EditRedo,
          0,
          EditCut,
          EditCopy,
          EditPaste,
          EditPasteSpecial,
          0,
          FindInWindow,
          FindNext,
          FindPrevious,
          0,
          Bold,
          Underline,
          Plain,
          Inverse,
          0,
          TextColourSub,
          BackgroundColourSub,
          TextColourMenu,
          BackgroundColourMenu}},
        {"view",
         Str::MenuView,
         {ShowMainBar, ShowWindowBar, ShowEditBar, 0, ViewTimeStamps, ViewAutoScroll, ViewFullAddress, ViewSmileys,
          ViewShowAway, 0, ViewJumpToUnread, 0, ViewSource, ViewSaveAs}},
        {"channel",
         Str::MenuChannel,
         {ChannelTopic, 0, ModeTopicOps, ModeNoExternal, ModeInviteOnly, ModeModerated, ModePrivate, ModeSecret,
          ModeKey, ModeLimit, 0, ChannelBans, ChannelRefresh, ChannelAddFavourite, ChannelProperties, 0,
          ChannelSearchHere, 0, AdvancedSub}},
        {"user", Str::MenuUser, {UserQuery,   UserWhois, UserProperties, UserAddContact, 0,           UserDccChat,
                               UserDccSend, 0,         UserOp,         UserDeop,       UserVoice,   UserDevoice,
                               0,           UserKick,  UserKickReason, UserBan,        UserBanKick, UserBanKickReason,
                               0,           UserIgnore}},
        {"window", Str::MenuWindow, {Mentions, Transfers, 0, WindowCascade, WindowTile, NextWindow, PreviousWindow, WindowList}},
        {"script",
         Str::MenuScript,
         {NewScript, OpenScript, ScriptSave, ScriptSaveAs, ScriptClose, 0, ScriptParse, ScriptRun}},
        {"help", Str::MenuHelp, {Help, 0, ToggleDonating, DonationPage, 0, About}},
    };
    return menus;
}

} // namespace

QAction *MainWindow::AddAction(int id, const QString &text, const QKeySequence &shortcut, bool checkable)
{
    auto *action = new QAction(text, this);
    action->setData(id);
    action->setCheckable(checkable);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    addAction(action); // the accelerators work whichever menu bar is installed
    m_actions.insert(id, action);
    return action;
}

void MainWindow::CreateActions()
{
    for (const MenuItem &item : kActionTable)
        AddAction(item.id, FromStr(item.text), item.keys ? QKeySequence(FromUtf8(item.keys)) : QKeySequence(),
                  item.checkable)
            ->setIcon(AppIcons::Command(item.id));
    // Further keys of the same commands.
    Action(CommandId::EditCopy)
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Insert"))});
    Action(CommandId::EditCut)
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Shift+Delete"))});
    Action(CommandId::EditPaste)
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+V")), QKeySequence(QStringLiteral("Shift+Insert"))});
    AddAction(CommandId::ViewJumpToUnread, FromUtf8(Strings::Get(Str::JumpToUnread)),
              QKeySequence(QStringLiteral("Ctrl+M")));
    for (int k = 0; k < kIrcColorCount; ++k) {
        AddAction(CommandId::TextColourFirst + k, FromUtf8(ColorMenuLabel(k)));
        AddAction(CommandId::BackgroundColourFirst + k, FromUtf8(ColorMenuLabel(k)));
    }
    const struct
    {
        int id;
        StrText text;
        const char *keys;
    } texts[] = {{CommandId::FindInWindow, Str::MenuFind, "Ctrl+F"},
                 {CommandId::FindNext, Str::MenuFindNext, "F3"},
                 {CommandId::FindPrevious, Str::MenuFindPrevious, "Shift+F3"},
                 {CommandId::Mentions, Str::MenuMentions, "Ctrl+Shift+M"}};
    for (const auto &item : texts)
        AddAction(item.id, FromStr(item.text), QKeySequence(QString::fromLatin1(item.keys)))
            ->setIcon(AppIcons::Command(item.id));
}

QMenu *MainWindow::TopMenu(const QString &objectName) const
{
    return menuBar()->findChild<QMenu *>(objectName, Qt::FindDirectChildrenOnly);
}

void MainWindow::RebuildMenus()
{
    // The bar itself stays: a maximised child window keeps its buttons and
    // its system menu in the bar's corners, which a new bar would not have.
    QMenuBar *bar = menuBar();
    RemoveMenus(bar);
    for (const ::TopMenu &top : MenuResource()) {
        QMenu *menu = bar->addMenu(FromStr(top.title));
        menu->setObjectName(FromUtf8(top.objectName));
        for (int id : top.items) {
            switch (id) {
            case 0:
                menu->addSeparator();
                break;
            case ServersSub:
                m_serversMenu = menu->addMenu(AppIcons::Command(CommandId::Connect), FromStr(Str::MenuServers));
                m_serversMenu->setObjectName(QStringLiteral("servers"));
                FillServersMenu(m_serversMenu);
                break;
            case FavouriteChannelsSub:
                m_favouriteChannelsMenu =
                    menu->addMenu(AppIcons::Command(CommandId::Favourites), FromStr(Str::MenuFavouriteChannels));
                m_favouriteChannelsMenu->setObjectName(QStringLiteral("favouriteChannels"));
                FillFavouriteChannelsMenu(m_favouriteChannelsMenu);
                break;
            case SearchSub: {
                m_searchMenu =
                    menu->addMenu(AppIcons::Command(CommandId::ChannelSearch), FromStr(Str::MenuChannelSearch));
                m_searchMenu->setObjectName(QStringLiteral("search"));
                for (int item : {int(CommandId::ChannelSearch), 0, int(CommandId::SearchJoin),
                                 int(CommandId::SearchAddFavourite), int(CommandId::SearchShowUsers),
                                 int(CommandId::SearchSendMessage), 0, int(CommandId::SearchSaveList)}) {
                    if (item == 0)
                        m_searchMenu->addSeparator();
                    else
                        m_searchMenu->addAction(Action(item));
                }
                break;
            }
            case TextColourSub:
            case BackgroundColourSub: {
                const bool text = id == TextColourSub;
                QMenu *colours =
                    menu->addMenu(AppIcons::Command(text ? CommandId::TextColourMenu : CommandId::BackgroundColourMenu),
                                  FromStr(text ? Str::MenuTextColour : Str::MenuBackgroundColour));
                const int first = text ? CommandId::TextColourFirst : CommandId::BackgroundColourFirst;
                for (int k = 0; k < 16; ++k)
                    colours->addAction(Action(first + k));
                break;
            }
            case AdvancedSub: {
                QMenu *advanced = menu->addMenu(FromStr(Str::MenuAdvanced));
                advanced->addAction(Action(CommandId::LoadScript));
                m_removeScriptMenu = advanced->addMenu(FromStr(Str::MenuRemoveScript));
                m_removeScriptMenu->setObjectName(QStringLiteral("removeScript"));
                FillRemoveScriptMenu(m_removeScriptMenu);
                break;
            }
            case WindowList:
                m_windowMenu = menu;
                FillWindowMenu(menu);
                break;
            default:
                menu->addAction(Action(id));
                break;
            }
        }
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateCommandStates);
    }
    UpdateCommandStates();
}

void MainWindow::RemoveMenus(QMenuBar *bar)
{
    const QList<QAction *> entries = bar->actions();
    bar->clear();
    for (QAction *entry : entries) {
        QMenu *menu = entry->menu();
        if (!menu)
            continue;
        // An old menu may be the sender of the command that led here: it
        // goes later, once control is back in the event loop, and is no
        // longer found by name meanwhile.
        menu->setObjectName(QString());
        menu->deleteLater();
    }
}

void MainWindow::FillServersMenu(QMenu *menu)
{
    menu->clear();
    const std::vector<std::string> servers = FavouriteServers::SavedNames();
    const QString defaultServer = QString::fromStdString(FavouriteServers::DefaultServer());
    int id = CommandId::FavouriteServerFirst;
    for (const std::string &key : servers) {
        if (id > CommandId::FavouriteServerLast)
            break;
        const QString name = QString::fromStdString(key);
        QString text = name;
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        const bool isDefault = !defaultServer.isEmpty() && name == defaultServer;
        if (isDefault)
            text += QStringLiteral("\tCtrl+Z");
        QAction *action = menu->addAction(text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, key] { m_app.ConnectFavourite(key); });
        if (isDefault)
            menu->setDefaultAction(action);
        ++id;
    }
    if (servers.empty())
        menu->addAction(FromStr(Str::NoFavouriteServers))->setEnabled(false);
}

void MainWindow::FillFavouriteChannelsMenu(QMenu *menu)
{
    menu->clear();
    int id = CommandId::FavouriteChannelFirst;
    for (const std::string &server : FavouriteServers::SavedNames()) {
        const std::vector<std::string> channels = FavouriteChannels::Names(server);
        if (channels.empty())
            continue;
        menu->addSection(QString::fromStdString(server));
        for (const std::string &channel : channels) {
            if (id > CommandId::FavouriteChannelLast)
                return;
            QString text = QString::fromStdString(channel);
            QAction *action = menu->addAction(text.replace(QLatin1Char('&'), QLatin1String("&&")));
            action->setData(id++);
            action->setProperty("server", QString::fromStdString(server));
            action->setProperty("channel", QString::fromStdString(channel));
            connect(action, &QAction::triggered, this, [this, action] { RunFavouriteChannel(action); });
        }
    }
    if (menu->isEmpty())
        menu->addAction(FromStr(Str::NoFavouriteChannels))->setEnabled(false);
}

void MainWindow::RunFavouriteChannel(QAction *action)
{
    // Joins through a session connected to the channel's server, or connects
    // to that server first (its automatic channels then follow).
    const std::string server = action->property("server").toString().toStdString();
    const std::string channel = action->property("channel").toString().toStdString();
    for (Session *session : m_app.Sessions().Sessions()) {
        if (session->ConfName() == server) {
            session->Command(session->Key(), 0, "/join " + channel);
            return;
        }
    }
    m_app.ConnectFavourite(server);
}

void MainWindow::PopupSearchMenu(const QPoint &globalPos)
{
    if (!m_searchMenu)
        return;
    UpdateCommandStates();
    m_searchMenu->popup(globalPos);
}

QString MainWindow::WindowMenuText(const QString &title)
{
    if (title.size() <= kWindowMenuEntryLimit)
        return title;
    return title.left(kWindowMenuEntryKeep) + QStringLiteral(" ...");
}

QString MainWindow::WindowMenuEntry(const QString &title)
{
    return WindowMenuText(title).replace(QLatin1Char('&'), QLatin1String("&&"));
}

void MainWindow::FillWindowMenu(QMenu *menu)
{
    const QList<QMdiSubWindow *> children = Children();
    if (!children.isEmpty())
        menu->addSeparator();
    QMdiSubWindow *active = ActiveChild();
    int id = CommandId::WindowMenuFirst;
    for (QMdiSubWindow *child : children) {
        if (id > CommandId::WindowMenuLast)
            break;
        QAction *action = menu->addAction(WindowMenuEntry(child->windowTitle()));
        action->setData(id++);
        action->setProperty(kChildProperty, QVariant::fromValue<QObject *>(child));
        action->setCheckable(true);
        action->setChecked(child == active);
        connect(action, &QAction::triggered, this, [this, child = QPointer<QMdiSubWindow>(child)] {
            if (child)
                ActivateChild(child);
        });
    }
}

void MainWindow::FillRemoveScriptMenu(QMenu *menu)
{
    const ShellChild *child = ActiveShellChild();
    const QStringList scripts = child ? child->ScriptNames() : QStringList();
    int id = CommandId::RemoveScriptFirst;
    for (const QString &name : scripts) {
        if (id >= CommandId::RemoveScriptNone)
            break;
        QAction *action = menu->addAction(name);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        ++id;
    }
    if (scripts.isEmpty()) {
        QAction *none = menu->addAction(QString::fromUtf8(Strings::Get(Str::NoScripts)));
        none->setData(int(CommandId::RemoveScriptNone));
        none->setEnabled(false);
    }
}
