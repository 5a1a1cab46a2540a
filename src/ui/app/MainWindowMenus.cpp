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
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

struct MenuItem
{
    int id;           // 0: separator
    const char *text; // UTF-8
    const char *keys; // portable key sequence text, or null
    bool checkable;
};

// The IRC colour names of the colour submenus, in colour table order.
const char *const kColourNames[16] = {
    "Biela", "Čierna",       "Tmavomodrá", "Zelená",          "Červená", "Hnedá",  "Fialová", "Oranžová",
    "Žltá",  "Svetlozelená", "Tyrkysová",  "Svetlotyrkysová", "Modrá",   "Ružová", "Sivá",    "Svetlosivá",
};

const MenuItem kActionTable[] = {
    // Pripojiť
    {CommandId::Connect, "Pripojiť sa na &predvolený server", "Ctrl+Z", false},
    {CommandId::Welcome, "&Vítací sprievodca ...", nullptr, false},
    {CommandId::Reconnect, "&Znova sa pripojiť", nullptr, false},
    {CommandId::Favourites, "&Obľúbené ...", "Ctrl+J", false},
    {CommandId::ChannelSearch, "&Hľadať Kanály ...", nullptr, false},
    {CommandId::FindEverywhere, Strings::Get(Str::FindEverywhereMenu), "Ctrl+Shift+F", false},
    {CommandId::SearchJoin, "&Vstúpiť Na Kanál", nullptr, false},
    {CommandId::SearchAddFavourite, "Pridať K &Obľúbeným", nullptr, false},
    {CommandId::SearchShowUsers, "Zobraziť &Užívateľov", nullptr, false},
    {CommandId::SearchSendMessage, "Poslať &Správu ...", nullptr, false},
    {CommandId::SearchSaveList, "Uložiť &Zoznam ...", nullptr, false},
    {CommandId::AddressBook, "&Adresár ...", nullptr, false},
    {CommandId::IgnoreList, "&Ignorované adresy ...", nullptr, false},
    {CommandId::AwayOn, "Neprítomnosť &zapnúť", nullptr, false},
    {CommandId::AwayOff, "Neprítomnosť &vypnúť", nullptr, false},
    {CommandId::Settings, "&Konfigurácia ...", "Ctrl+O", false},
    {CommandId::Exit, "&Koniec", "Ctrl+E", false},
    // Úpravy
    {CommandId::EditUndo, "&Vráťiť", "Alt+Backspace", false},
    {CommandId::EditRedo, "&Opakovať", "Ctrl+Y", false},
    {CommandId::EditCut, "&Vystrihnúť", "Ctrl+X", false},
    {CommandId::EditCopy, "&Kopírovať", "Ctrl+C", false},
    {CommandId::EditPaste, "&Prilepiť", "Ctrl+V", false},
    {CommandId::EditPasteSpecial, "Prilepiť &Špeciálne", nullptr, false},
    {CommandId::Bold, "&Tučné Písmo", "Ctrl+B", true},
    {CommandId::Underline, "P&odčiarknuté Písmo", "Ctrl+U", true},
    {CommandId::Plain, "&Jednoduché Písmo", "Ctrl+P", false},
    {CommandId::Inverse, "&Invertované Písmo", "Ctrl+I", false},
    {CommandId::TextColourMenu, "Zmeniť farbu textu", "Ctrl+K", false},
    {CommandId::BackgroundColourMenu, "Zmeniť farbu pozadia", "Ctrl+L", false},
    // Zobraziť
    {CommandId::ShowMainBar, "&Hlavný Panel", nullptr, true},
    {CommandId::ShowWindowBar, "Panel &Okien", nullptr, true},
    {CommandId::ShowEditBar, "Panel Ú&prav", nullptr, true},
    {CommandId::ViewTimeStamps, "Zo&brazovať čas", nullptr, true},
    {CommandId::ViewAutoScroll, "Automaticky Posúvať Text", nullptr, true},
    {CommandId::ViewFullAddress, "Za Prezývkou Celú Adresu", nullptr, true},
    {CommandId::ViewSmileys, "Zobrazovať Smajlíkov", nullptr, true},
    {CommandId::ViewShowAway, "Zobrazovať Neprítomnosť", nullptr, true},
    {CommandId::ViewSource, "Zobraziť Ako HTML", nullptr, false},
    {CommandId::ViewSaveAs, "Uložiť Na Disk Ako HTML Alebo Text ...", nullptr, false},
    // Kanál
    {CommandId::ChannelTopic, "&Zvoliť Tému ...", nullptr, false},
    {CommandId::ModeTopicOps, "&Tému Môžu Meniť Iba Operátori", nullptr, true},
    {CommandId::ModeNoExternal, "&Neprijímať Externé Správy", nullptr, true},
    {CommandId::ModeInviteOnly, "K&anál Iba Pre Pozvaných", nullptr, true},
    {CommandId::ModeModerated, "&Moderovaný Kanál", nullptr, true},
    {CommandId::ModePrivate, "&Súkromný Kanál", nullptr, true},
    {CommandId::ModeSecret, "Ta&jný Kanál", nullptr, true},
    {CommandId::ModeKey, "&Uzamknutý Kanál Na Kľúč", nullptr, true},
    {CommandId::ModeLimit, "&Obmedzený Počet Užívateľov", nullptr, true},
    {CommandId::ChannelBans, "Zakázaní &Užívatelia ...", nullptr, false},
    {CommandId::ChannelRefresh, "Aktua&lizovať", nullptr, false},
    {CommandId::ChannelAddFavourite, "Pridať K Obľúbeným", nullptr, false},
    {CommandId::ChannelProperties, "Vlastnosti", nullptr, false},
    {CommandId::ChannelSearchHere, "Hľadať Kanály ...", nullptr, false},
    {CommandId::LoadScript, "&Nahrať Skript", nullptr, false},
    // Užívateľ
    {CommandId::UserQuery, "&Otvoriť Súkromné Písanie", nullptr, false},
    {CommandId::UserWhois, "Kto to je", nullptr, false},
    {CommandId::UserProperties, "Vlastnosti", nullptr, false},
    {CommandId::UserAddContact, "Pridať do kontaktov", nullptr, false},
    {CommandId::UserDccChat, "Otvoriť Súkromnú Linku", nullptr, false},
    {CommandId::UserDccSend, "Poslať Súbor ...", nullptr, false},
    {CommandId::UserOp, "&Pridaj Ako Operátora", nullptr, false},
    {CommandId::UserDeop, "&Zruš Ako Operátora", nullptr, false},
    {CommandId::UserVoice, "P&ridaj Ako Hlas", nullptr, false},
    {CommandId::UserDevoice, "Z&ruš Ako Hlas", nullptr, false},
    {CommandId::UserKick, "&Vykopnúť", nullptr, false},
    {CommandId::UserKickReason, "V&ykopnúť ( Napísať Prečo )", nullptr, false},
    {CommandId::UserBan, "Za&kázať", nullptr, false},
    {CommandId::UserBanKick, "Za&kázať a Vykopnúť", nullptr, false},
    {CommandId::UserBanKickReason, "Za&kázať a Vykopnúť ( Napísať Prečo )", nullptr, false},
    {CommandId::UserIgnore, "&Ignorovať !", nullptr, false},
    // Okná
    {CommandId::WindowCascade, "&Kaskáda", nullptr, false},
    {CommandId::WindowTile, "&Vedľa Seba", nullptr, false},
    {CommandId::NextWindow, "Ď&alšie Okno", "F6", false},
    {CommandId::PreviousWindow, "&Predchádzajúce Okno", "Shift+F6", false},
    // Skript
    {CommandId::NewScript, "Vytvoriť &Nový", "Ctrl+Alt+N", false},
    {CommandId::OpenScript, "&Otvoriť A Editovať", "Ctrl+Alt+O", false},
    {CommandId::ScriptSave, "&Uložiť", "Ctrl+Alt+S", false},
    {CommandId::ScriptSaveAs, "Uložiť &Ako ...", nullptr, false},
    {CommandId::ScriptClose, "Zavrieť", nullptr, false},
    {CommandId::ScriptParse, "S&kontrolovať", "F7", false},
    {CommandId::ScriptRun, "&Spustiť / Nahrať", "F5", false},
    // Pomocník
    {CommandId::Help, "&Pomocník", "F1", false},
    {CommandId::ToggleDonating, "Zobrazovať &Reklamu", nullptr, true},
    {CommandId::DonationPage, "Pod&poriť Brimo ...", nullptr, false},
    {CommandId::About, "&O programe Brimo ...", nullptr, false},
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
    const char *title;
    std::vector<int> items;
};

const std::vector<TopMenu> &MenuResource()
{
    using namespace CommandId;
    static const std::vector<TopMenu> menus = {
        {"connect",
         "&Pripojiť",
         {ServersSub, Welcome, Reconnect, Favourites, FavouriteChannelsSub, SearchSub, FindEverywhere, 0, AddressBook,
          IgnoreList, 0, AwayOn, AwayOff, 0, Settings, 0, Exit}},
        {"edit",
         "Úpr&avy",
         {EditUndo, EditRedo, 0, EditCut, EditCopy, EditPaste, EditPasteSpecial, 0, Bold, Underline, Plain, Inverse, 0,
          TextColourSub, BackgroundColourSub, TextColourMenu, BackgroundColourMenu}},
        {"view",
         "&Zobraziť",
         {ShowMainBar, ShowWindowBar, ShowEditBar, 0, ViewTimeStamps, ViewAutoScroll, ViewFullAddress, ViewSmileys,
          ViewShowAway, 0, ViewJumpToUnread, 0, ViewSource, ViewSaveAs}},
        {"channel",
         "&Kanál",
         {ChannelTopic, 0, ModeTopicOps, ModeNoExternal, ModeInviteOnly, ModeModerated, ModePrivate, ModeSecret,
          ModeKey, ModeLimit, 0, ChannelBans, ChannelRefresh, ChannelAddFavourite, ChannelProperties, 0,
          ChannelSearchHere, 0, AdvancedSub}},
        {"user", "&Užívateľ", {UserQuery,   UserWhois, UserProperties, UserAddContact, 0,           UserDccChat,
                               UserDccSend, 0,         UserOp,         UserDeop,       UserVoice,   UserDevoice,
                               0,           UserKick,  UserKickReason, UserBan,        UserBanKick, UserBanKickReason,
                               0,           UserIgnore}},
        {"window", "&Okná", {WindowCascade, WindowTile, NextWindow, PreviousWindow, WindowList}},
        {"script",
         "&Skript",
         {NewScript, OpenScript, ScriptSave, ScriptSaveAs, ScriptClose, 0, ScriptParse, ScriptRun}},
        {"help", "Po&mocník", {Help, 0, ToggleDonating, DonationPage, 0, About}},
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
        AddAction(item.id, FromUtf8(item.text), item.keys ? QKeySequence(FromUtf8(item.keys)) : QKeySequence(),
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
    for (int k = 0; k < 16; ++k) {
        AddAction(CommandId::TextColourFirst + k, FromUtf8(kColourNames[k]));
        AddAction(CommandId::BackgroundColourFirst + k, FromUtf8(kColourNames[k]));
    }
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
        QMenu *menu = bar->addMenu(FromUtf8(top.title));
        menu->setObjectName(FromUtf8(top.objectName));
        for (int id : top.items) {
            switch (id) {
            case 0:
                menu->addSeparator();
                break;
            case ServersSub:
                m_serversMenu = menu->addMenu(AppIcons::Command(CommandId::Connect), FromUtf8("&Pripojiť sa"));
                m_serversMenu->setObjectName(QStringLiteral("servers"));
                FillServersMenu(m_serversMenu);
                break;
            case FavouriteChannelsSub:
                m_favouriteChannelsMenu =
                    menu->addMenu(AppIcons::Command(CommandId::Favourites), FromUtf8("Obľúbené &Kanály"));
                m_favouriteChannelsMenu->setObjectName(QStringLiteral("favouriteChannels"));
                FillFavouriteChannelsMenu(m_favouriteChannelsMenu);
                break;
            case SearchSub: {
                m_searchMenu = menu->addMenu(AppIcons::Command(CommandId::ChannelSearch), FromUtf8("&Hľadať Kanály"));
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
                                  FromUtf8(text ? "Farb&a Písma" : "Far&ba Pozadia"));
                const int first = text ? CommandId::TextColourFirst : CommandId::BackgroundColourFirst;
                for (int k = 0; k < 16; ++k)
                    colours->addAction(Action(first + k));
                break;
            }
            case AdvancedSub: {
                QMenu *advanced = menu->addMenu(FromUtf8("Po&kročilé"));
                advanced->addAction(Action(CommandId::LoadScript));
                m_removeScriptMenu = advanced->addMenu(FromUtf8("&Odstrániť Skript"));
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
        menu->addAction(FromUtf8("(žiadne obľúbené servery)"))->setEnabled(false);
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
        menu->addAction(FromUtf8("(žiadne obľúbené kanály)"))->setEnabled(false);
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
