#include "dialogs/SettingsDialog.h"

#include "config/Config.h"
#include "conversation/Shell.h"
#include "dialogs/AdvancedSettingsPage.h"
#include "dialogs/AppearanceSettingsPage.h"
#include "dialogs/BasicSettingsPage.h"
#include "dialogs/MessagesSettingsPage.h"
#include "text/Strings.h"
#include "widgets/Utf8Text.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The record as the file holds it now: another part of the program (a nick
// update, the welcome) may have written it since the record was loaded.
AppSettings AsTheFileHoldsIt(AppSettings settings)
{
    LoadAppearance(settings);
    LoadBehaviour(settings);
    return settings;
}

} // namespace

SettingsDialog::SettingsDialog(Shell &shell, const AppSettings &settings, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_settings(AsTheFileHoldsIt(settings))
{
    setWindowTitle(FromUtf8(Strings::Get(Str::SettingsCaption)));
    m_tabs = new QTabWidget(this);
    m_base = new BasicSettingsPage(shell, m_settings, m_tabs);
    m_appearance = new AppearanceSettingsPage(m_settings, m_tabs);
    m_messages = new MessagesSettingsPage(m_settings, m_tabs);
    m_advanced = new AdvancedSettingsPage(m_settings, m_tabs);
    m_tabs->addTab(m_base, FromStr(Str::BasicTab));
    m_tabs->addTab(m_appearance, FromStr(Str::AppearanceTab));
    m_tabs->addTab(m_messages, FromStr(Str::MessagesTab));
    m_tabs->addTab(m_advanced, FromStr(Str::AdvancedTab));

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    resize(sizeHint().expandedTo(QSize(480, 520)));
}

int SettingsDialog::Open(Shell &shell, const AppSettings &settings, QWidget *parent)
{
    SettingsDialog sheet(shell, settings, parent);
    return sheet.exec();
}

bool SettingsDialog::RefuseIdentity()
{
    Refusal reason;
    QLineEdit *field = m_base->FieldAtFault(reason);
    if (!field)
        return false;
    m_tabs->setCurrentWidget(m_base);
    m_shell.Beep(0);
    m_shell.MessageBox(Strings::Get(*reason), std::string(), Shell::ButtonsOk);
    field->setFocus();
    field->selectAll();
    return true;
}

bool SettingsDialog::WritePages()
{
    const ConfigFailureToldByCaller toldHere;
    const std::string path = ConfigFilePath();
    if (!m_base->SaveServers()) {
        m_shell.MessageBox(Strings::Format(Str::ServersNotWritten, path.c_str()), std::string(), Shell::ButtonsOk);
        return false;
    }
    AppSettings settings = m_settings;
    m_base->Apply(settings);
    m_appearance->Apply(settings);
    m_messages->Apply(settings);
    m_advanced->Apply(settings);
    if (!SaveSettings(settings)) {
        m_shell.MessageBox(Strings::Format(Str::SettingsNotWritten, path.c_str()), std::string(), Shell::ButtonsOk);
        return false;
    }
    return true;
}

void SettingsDialog::done(int result)
{
    if (m_finished)
        return;
    if (result == QDialog::Accepted) {
        if (RefuseIdentity() || !WritePages())
            return;
        m_shell.MessageBox(Strings::Get(Str::SettingsTakeEffectLater), std::string(), Shell::ButtonsOk);
    }
    m_finished = true;
    m_shell.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings);
    m_shell.RefreshShell(Shell::RefreshTray);
    QDialog::done(result);
}
