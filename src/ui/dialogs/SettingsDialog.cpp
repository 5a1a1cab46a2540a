#include "dialogs/SettingsDialog.h"

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

SettingsDialog::SettingsDialog(Shell &shell, const AppSettings &settings, QWidget *parent) : QDialog(parent), m_shell(shell)
{
    setWindowTitle(FromUtf8(Strings::Get(Str::SettingsCaption)));
    m_tabs = new QTabWidget(this);
    m_base = new BasicSettingsPage(shell, settings, m_tabs);
    m_appearance = new AppearanceSettingsPage(settings, m_tabs);
    m_messages = new MessagesSettingsPage(settings, m_tabs);
    m_advanced = new AdvancedSettingsPage(settings, m_tabs);
    m_tabs->addTab(m_base, QStringLiteral("&Základné"));
    m_tabs->addTab(m_appearance, QStringLiteral("&Vzhľad"));
    m_tabs->addTab(m_messages, QStringLiteral("&Správy"));
    m_tabs->addTab(m_advanced, QStringLiteral("&Rozšírené"));

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

bool SettingsDialog::WritePages()
{
    bool ok = m_base->Write();
    ok = m_appearance->Write() && ok;
    ok = m_messages->Write() && ok;
    return m_advanced->Write() && ok;
}

void SettingsDialog::done(int result)
{
    if (m_finished)
        return;
    if (result == QDialog::Accepted) {
        if (QLineEdit *field = m_base->FieldThatCannotBeStored()) {
            m_tabs->setCurrentWidget(m_base);
            m_shell.Beep(0);
            field->setFocus();
            field->selectAll();
            return;
        }
        if (WritePages())
            m_shell.MessageBox(Strings::Get(Str::SettingsTakeEffectLater), std::string(), Shell::ButtonsOk);
    }
    m_finished = true;
    m_shell.RefreshShell(Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings);
    m_shell.RefreshShell(Shell::RefreshTray);
    QDialog::done(result);
}
