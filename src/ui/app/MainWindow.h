#pragma once

#include "shell/TrayBlinker.h"

#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QString>

#include <functional>

class BrimoApp;
class WindowBar;
class MainWindowArea;
class MentionsWindow;
class TransfersWindow;
class Conversation;
class ConversationView;
class QMdiSubWindow;
class Session;
class QMenuBar;
class QSystemTrayIcon;
class QTimer;
class QToolBar;
class ShellChild;

// The main window: the menu bar, the main tool bar, the window bar and the
// edit bar, the multiple-document area holding the child windows, timer 0,
// the tray icon and minimising to it, and closing the program.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int kTimerPeriodMs = 10000;
    static constexpr int kWindowMenuEntryLimit = 40; // entries longer than this are cut ...
    static constexpr int kWindowMenuEntryKeep = 36;  // ... to this many characters + " ..."
    static constexpr int kMinimumChildHeight = 80;   // smaller new windows get a default size
    // How often a window hidden in the tray checks that the tray is still there.
    static constexpr int kTrayWatchMs = 1000;

    explicit MainWindow(BrimoApp &app);
    ~MainWindow() override;

    // ---- child windows ----
    // The window of a new conversation; null while no conversation window
    // exists in the program (the conversation then has no view).
    ConversationView *CreateChildView(Conversation &conversation);
    // Puts a widget into the multiple-document area as a child window.
    QMdiSubWindow *AddChild(QWidget *widget, const QString &title);
    QMdiSubWindow *ActiveChild() const;
    ShellChild *ActiveShellChild() const;
    // The session of the active child window (a conversation, the channel
    // search); null for none.
    Session *ActiveSession() const;
    QList<QMdiSubWindow *> Children() const;
    void ActivateChild(QMdiSubWindow *child);
    MainWindowArea *MdiArea() const { return m_mdi; }

    // ---- RefreshShell parts ----
    void RebuildMenus();                // bit 1
    void RefreshWindowBar();            // bit 2
    void RefreshTrayIcon(bool enabled); // bit 8
    void RefreshChildSettings();        // bit 4
    void RefreshLayout();               // always

    // ---- commands ----
    // Runs a command number of the menus, tool bars and accelerators.
    void RunCommand(int id);
    // Enables and checks the command actions for the current state.
    void UpdateCommandStates();
    QAction *Action(int id) const { return m_actions.value(id); }

    // ---- bars and menus ----
    QToolBar *ToolsBar() const { return m_toolsBar; }
    WindowBar *ChannelsBar() const { return m_channelsBar; }
    QToolBar *EditBar() const { return m_editBar; }
    QMenu *TopMenu(const QString &objectName) const;
    QMenu *ServersMenu() const { return m_serversMenu; }
    QMenu *FavouriteChannelsMenu() const { return m_favouriteChannelsMenu; }
    QMenu *WindowMenu() const { return m_windowMenu; }
    // "&Hľadať Kanály", the fourth item of the first menu; it also pops up
    // at a right click on the search window's list.
    QMenu *SearchMenu() const { return m_searchMenu; }
    void PopupSearchMenu(const QPoint &globalPos);
    // The mentions window, opened (or brought forward) by its command.
    MentionsWindow *OpenMentions();
    // The transfers window, opened (or brought forward) by its command; the
    // first transfer of a run opens it without taking the active window's
    // place (activate false).
    TransfersWindow *OpenTransfers(bool activate = true);
    // A window menu entry for a title (cut past 40 characters).
    static QString WindowMenuText(const QString &title);

    // ---- tray ----
    QSystemTrayIcon *TrayIcon() const { return m_tray; }
    // The tray icon's picture, set only when it changes: the desktop draws
    // the icon anew (or is sent it over D-Bus) at every set.
    void ShowTrayPicture(TrayBlinker::Icon picture);
    // How often the picture was set since the tray icon was made.
    int TrayPictureChanges() const { return m_trayPictureChanges; }
    // A left click on the tray icon: the window comes back.
    void RestoreFromTray();
    // What a system minimise does: hides to the tray when "Enable Tray" and
    // "Hide Minimized" are on and the desktop has a tray to bring the window
    // back from (returns true then); otherwise the window just minimises.
    // Should the tray go away (or its icon) while the window hides there,
    // the window comes back by itself.
    bool MinimiseToTray();
    bool IsHiddenInTray() const { return m_hiddenInTray; }
    // Whether the desktop shows tray icons (by default Qt's answer).
    void SetTrayAvailability(std::function<bool()> isAvailable) { m_trayAvailable = std::move(isAvailable); }

    // ---- ending ----
    // Asks every child window about what closing it would lose (the script
    // editors about changes not saved); false when the user cancels.
    bool ChildrenConfirmClose();
    // The end of the program, as the Exit command ends it once the windows
    // agreed: placement and bar state written, the exit sequence, the event
    // loop left. Runs once.
    void EndProgram();

    // ---- placement ----
    // Writes "Wnd_Main" (Zoomed, Left, Top, width as Right, height as Bottom),
    // "Zoomed" of "Base" and the bar state.
    void SavePlacement();
    // Restores the saved normal rectangle and the bar state.
    void RestorePlacement();
    bool ShouldStartMaximised() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void CreateActions();
    QAction *AddAction(int id, const QString &text, const QKeySequence &shortcut = {}, bool checkable = false);
    void CreateBars();
    void CreateToolsBar();
    void CreateEditBar();
    static void RemoveMenus(QMenuBar *bar);
    void FillServersMenu(QMenu *menu);
    void FillFavouriteChannelsMenu(QMenu *menu);
    void FillWindowMenu(QMenu *menu);
    void FillRemoveScriptMenu(QMenu *menu);
    void ToggleBar(QToolBar *bar);
    void RunFavouriteChannel(QAction *action);
    void OnChildActivated(QMdiSubWindow *child);
    void FollowChildTitle(QMdiSubWindow *child);
    // The text of a window menu entry: WindowMenuText with "&" doubled.
    static QString WindowMenuEntry(const QString &title);
    static constexpr const char *kChildProperty = "child"; // the window of a window menu entry
    bool IsChildCommand(int id) const;
    // Each runs the commands of its menus and says whether id was one of them.
    bool RunConnectCommand(int id);
    bool RunWindowCommand(int id);
    bool RunHelpCommand(int id);
    // "&Otvoriť A Editovať": a script file chosen in the program's folder, in a new editor.
    void OpenScriptFile();
    void OpenFavourites();
    void OpenAddressBook();
    void OpenIgnoreList();
    // Every window repaints (after the address book changed).
    void RedrawAll();
    // While hidden in the tray: back when there is no tray to click.
    void WatchTray();

    BrimoApp &m_app;
    MainWindowArea *m_mdi = nullptr;
    QToolBar *m_toolsBar = nullptr;
    WindowBar *m_channelsBar = nullptr;
    QToolBar *m_editBar = nullptr;
    QHash<int, QAction *> m_actions;
    QPointer<QMenu> m_serversMenu;
    QPointer<QMenu> m_favouriteChannelsMenu;
    QPointer<QMenu> m_windowMenu;
    QPointer<QMenu> m_searchMenu;
    QPointer<QMenu> m_removeScriptMenu;
    QPointer<MentionsWindow> m_mentions;
    QPointer<TransfersWindow> m_transfers;
    QMenu *m_toolsConnectMenu = nullptr;    // drop-down of the connect button
    QMenu *m_toolsFavouritesMenu = nullptr; // drop-down of the favourites button
    QSystemTrayIcon *m_tray = nullptr;
    TrayBlinker::Icon m_trayPicture = TrayBlinker::Icon::Normal;
    int m_trayPictureChanges = 0;
    std::function<bool()> m_trayAvailable;
    QTimer *m_timer0 = nullptr;
    QTimer *m_trayWatch = nullptr;
    bool m_hiddenInTray = false;
    bool m_closing = false;
};
