#pragma once

#include <QDialog>

struct AppSettings;
class CPPAdvanced;
class CPPAppearance;
class CPPBase;
class CPPMessages;
class QDialogButtonBox;
class QTabWidget;
class Shell;

// The settings sheet ("Konfigurácia ..."): the base, appearance, messages
// and advanced pages, OK and Cancel. OK writes every page and says that some
// changes wait for the next start; whichever way the sheet closes, the shell
// then follows the file (menus, window bar, settings, then the tray icon).
class CDlgSettings : public QDialog
{
    Q_OBJECT

public:
    // settings: the application's record, the initial values of the pages.
    CDlgSettings(Shell &shell, const AppSettings &settings, QWidget *parent = nullptr);

    // Runs the sheet modally; the result of exec().
    static int Open(Shell &shell, const AppSettings &settings, QWidget *parent);

    QTabWidget *Tabs() const { return m_tabs; }
    QDialogButtonBox *Buttons() const { return m_buttons; }
    CPPBase *BasePage() const { return m_base; }
    CPPAppearance *AppearancePage() const { return m_appearance; }
    CPPMessages *MessagesPage() const { return m_messages; }
    CPPAdvanced *AdvancedPage() const { return m_advanced; }

    void done(int result) override;

private:
    bool WritePages();

    Shell &m_shell;
    QTabWidget *m_tabs = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    CPPBase *m_base = nullptr;
    CPPAppearance *m_appearance = nullptr;
    CPPMessages *m_messages = nullptr;
    CPPAdvanced *m_advanced = nullptr;
    bool m_finished = false;
};
