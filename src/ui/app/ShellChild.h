#pragma once

#include <QString>
#include <QStringList>

// What the main frame asks of a child window of its multiple-document area
// (the conversation window, the script editor, the help window). The widget
// of a QMdiSubWindow implements it; windows that do not are shown with their
// window title and take no commands.
class ShellChild
{
public:
    virtual ~ShellChild() = default;

    // Name of the session the window belongs to (empty for none) and the
    // window's own name (target, or the session key for a status window).
    virtual QString SessionName() const = 0;
    virtual QString WindowName() const = 0;

    // The tool tip of the window's button in the window bar.
    virtual QString ButtonToolTip() const = 0;
    // The picture of the button: 0 and 1 alternate while HasActivity(); the
    // help window shows 2, a script window 3, the search window 4.
    virtual int ButtonImage() const { return 0; }
    // Whether a line arrived since the window was last active (a conversation
    // window of kind 0, 1 or 2 blinks its button while this is set).
    virtual bool HasActivity() const { return false; }

    // Commands of the second group of CommandId. UpdateCommand returns false
    // for a command the window does not carry out (the menu item is then
    // disabled); otherwise it sets whether it is enabled and checked.
    virtual bool UpdateCommand(int id, bool &enabled, bool &checked) const
    {
        (void)id, (void)enabled, (void)checked;
        return false;
    }
    virtual bool HandleCommand(int id)
    {
        (void)id;
        return false;
    }

    // Names of the scripts loaded in the window (the "&Odstrániť Skript" menu).
    virtual QStringList ScriptNames() const { return {}; }

    // The window or the program is about to close: asks about what would be
    // lost (unsaved changes) and keeps it when told; false when the user
    // cancels, and nothing may close then.
    virtual bool ConfirmClose() { return true; }

    // The program's settings were read again (RefreshShell with the settings
    // bit): the window follows what it shows of them.
    virtual void SettingsChanged() {}
};
