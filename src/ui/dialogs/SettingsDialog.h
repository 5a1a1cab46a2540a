#pragma once

#include "config/AppSettings.h"

#include <QDialog>

class AdvancedSettingsPage;
class AppearanceSettingsPage;
class BasicSettingsPage;
class MessagesSettingsPage;
class QDialogButtonBox;
class QTabWidget;
class Shell;

// The settings sheet ("Konfigurácia ..."): the base, appearance, messages
// and advanced pages, OK and Cancel. OK writes the favourite servers, then
// the settings record the pages edit (AppSettings, SaveSettings), each as
// one replacement of the file, and says that some changes wait for the next
// start; a write that fails is told by name and the sheet stays open.
// Whichever way the sheet closes, the shell then follows the file (menus,
// window bar, settings, then the tray icon).
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // settings: the application's record; the pages show it as the file
    // holds it now.
    SettingsDialog(Shell &shell, const AppSettings &settings, QWidget *parent = nullptr);

    // Runs the sheet modally; the result of exec().
    static int Open(Shell &shell, const AppSettings &settings, QWidget *parent);

    QTabWidget *Tabs() const { return m_tabs; }
    QDialogButtonBox *Buttons() const { return m_buttons; }
    BasicSettingsPage *BasePage() const { return m_base; }
    AppearanceSettingsPage *AppearancePage() const { return m_appearance; }
    MessagesSettingsPage *MessagesPage() const { return m_messages; }
    AdvancedSettingsPage *AdvancedPage() const { return m_advanced; }

    void done(int result) override;

private:
    // Refuses an identity the core's checks refuse; true when it did.
    bool RefuseIdentity();
    // Writes the servers, then the settings; tells which write failed.
    bool WritePages();

    Shell &m_shell;
    AppSettings m_settings;
    QTabWidget *m_tabs = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    BasicSettingsPage *m_base = nullptr;
    AppearanceSettingsPage *m_appearance = nullptr;
    MessagesSettingsPage *m_messages = nullptr;
    AdvancedSettingsPage *m_advanced = nullptr;
    bool m_finished = false;
};
