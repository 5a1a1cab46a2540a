#include "dialogs/MessagesSettingsPage.h"

#include "config/AppSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

MessagesSettingsPage::MessagesSettingsPage(const AppSettings &settings, QWidget *parent) : QWidget(parent)
{
    auto *messages = new QGroupBox(QStringLiteral("Súkromné správy"), this);
    m_showPing = new QCheckBox(QStringLiteral("Zobrazovať &PING a PONG servera"), messages);
    m_showPing->setChecked(settings.m_showPing);
    m_openQuery = new QCheckBox(QStringLiteral("&Otvoriť okno pre súkromnú správu"), messages);
    m_openQuery->setChecked(settings.m_openQueryWindow);
    m_queryDialog = new QCheckBox(QStringLiteral("Spýtať sa pred otvorením ok&na"), messages);
    m_queryDialog->setChecked(settings.m_queryDialog);
    auto *messageLayout = new QVBoxLayout(messages);
    messageLayout->addWidget(m_showPing);
    messageLayout->addWidget(m_openQuery);
    auto *indented = new QVBoxLayout;
    indented->setContentsMargins(20, 0, 0, 0);
    indented->addWidget(m_queryDialog);
    messageLayout->addLayout(indented);

    auto *dcc = new QGroupBox(QStringLiteral("Ponuky DCC"), this);
    m_dccAsk = new QRadioButton(QStringLiteral("Spýtať sa pred prijatím pon&uky"), dcc);
    m_dccNoAsk = new QRadioButton(QStringLiteral("Nepý&tať sa"), dcc);
    (settings.m_dccDialog ? m_dccAsk : m_dccNoAsk)->setChecked(true);
    auto *dccLayout = new QVBoxLayout(dcc);
    dccLayout->addWidget(m_dccAsk);
    dccLayout->addWidget(m_dccNoAsk);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(messages);
    layout->addWidget(dcc);
    layout->addStretch(1);

    m_queryDialog->setEnabled(m_openQuery->isChecked());
    connect(m_openQuery, &QCheckBox::toggled, m_queryDialog, &QWidget::setEnabled);
}

void MessagesSettingsPage::Apply(AppSettings &settings) const
{
    settings.m_showPing = m_showPing->isChecked();
    settings.m_openQueryWindow = m_openQuery->isChecked();
    settings.m_queryDialog = m_queryDialog->isChecked();
    settings.m_dccDialog = m_dccAsk->isChecked();
}
