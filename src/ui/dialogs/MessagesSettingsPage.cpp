#include "dialogs/MessagesSettingsPage.h"

#include "config/AppSettings.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

MessagesSettingsPage::MessagesSettingsPage(const AppSettings &settings, QWidget *parent) : QWidget(parent)
{
    auto *messages = new QGroupBox(FromStr(Str::PrivateMessagesGroup), this);
    m_showPing = new QCheckBox(FromStr(Str::ShowPingBox), messages);
    m_showPing->setChecked(settings.m_showPing);
    m_openQuery = new QCheckBox(FromStr(Str::OpenQueryBox), messages);
    m_openQuery->setChecked(settings.m_openQueryWindow);
    m_queryDialog = new QCheckBox(FromStr(Str::QueryDialogBox), messages);
    m_queryDialog->setChecked(settings.m_queryDialog);
    auto *messageLayout = new QVBoxLayout(messages);
    messageLayout->addWidget(m_showPing);
    messageLayout->addWidget(m_openQuery);
    auto *indented = new QVBoxLayout;
    indented->setContentsMargins(20, 0, 0, 0);
    indented->addWidget(m_queryDialog);
    messageLayout->addLayout(indented);

    auto *dcc = new QGroupBox(FromStr(Str::DccOffersGroup), this);
    m_dccAsk = new QRadioButton(FromStr(Str::DccAskChoice), dcc);
    m_dccNoAsk = new QRadioButton(FromStr(Str::DccNoAskChoice), dcc);
    (settings.m_dccDialog ? m_dccAsk : m_dccNoAsk)->setChecked(true);
    auto *dccLayout = new QVBoxLayout(dcc);
    dccLayout->addWidget(m_dccAsk);
    dccLayout->addWidget(m_dccNoAsk);

    auto *notifications = new QGroupBox(FromStr(Str::NotificationsGroup), this);
    m_desktopNotifications = new QCheckBox(FromStr(Str::DesktopNotificationsBox), notifications);
    m_desktopNotifications->setChecked(settings.m_desktopNotifications);
    auto *notificationLayout = new QVBoxLayout(notifications);
    notificationLayout->addWidget(m_desktopNotifications);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(messages);
    layout->addWidget(dcc);
    layout->addWidget(notifications);
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
    settings.m_desktopNotifications = m_desktopNotifications->isChecked();
}
