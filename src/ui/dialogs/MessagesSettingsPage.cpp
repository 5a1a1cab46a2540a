#include "dialogs/MessagesSettingsPage.h"

#include "config/AppSettings.h"
#include "config/PortRange.h"
#include "dcc/OfferAddress.h"
#include "widgets/Utf8Text.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    m_dccFolder = new QLineEdit(FromUtf8(settings.m_dccFolder), dcc);
    auto *folderLabel = new QLabel(FromStr(Str::DccFolderLabel), dcc);
    folderLabel->setBuddy(m_dccFolder);
    auto *browse = new QPushButton(QStringLiteral("..."), dcc);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QString(), m_dccFolder->text());
        if (!chosen.isEmpty())
            m_dccFolder->setText(chosen);
    });
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_dccFolder, 1);
    folderRow->addWidget(browse);
    auto *dccLayout = new QVBoxLayout(dcc);
    dccLayout->addWidget(m_dccAsk);
    dccLayout->addWidget(m_dccNoAsk);
    dccLayout->addWidget(folderLabel);
    dccLayout->addLayout(folderRow);

    auto *notifications = new QGroupBox(FromStr(Str::NotificationsGroup), this);
    m_desktopNotifications = new QCheckBox(FromStr(Str::DesktopNotificationsBox), notifications);
    m_desktopNotifications->setChecked(settings.m_desktopNotifications);
    auto *notificationLayout = new QVBoxLayout(notifications);
    notificationLayout->addWidget(m_desktopNotifications);
    auto *network = new QGroupBox(FromStr(Str::DccNetworkGroup), this);
    m_dccAddress = new QLineEdit(FromUtf8(settings.m_dccAddress), network);
    m_dccPorts = new QLineEdit(FromUtf8(PortRange::Parse(settings.m_dccPorts).value_or(PortRange{}).Text()), network);
    m_dccProblem = new QLabel(network);
    m_dccProblem->setStyleSheet(QStringLiteral("color: #B22222"));
    m_dccProblem->setWordWrap(true);
    auto *networkLayout = new QFormLayout(network);
    networkLayout->addRow(FromStr(Str::DccOwnAddressLabel), m_dccAddress);
    networkLayout->addRow(FromStr(Str::DccPortRangeLabel), m_dccPorts);
    networkLayout->addRow(m_dccProblem);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(messages);
    layout->addWidget(dcc);
    layout->addWidget(notifications);
    layout->addWidget(network);
    layout->addStretch(1);

    const auto showProblem = [this] { m_dccProblem->setText(DccProblem()); };
    connect(m_dccAddress, &QLineEdit::textChanged, this, showProblem);
    connect(m_dccPorts, &QLineEdit::textChanged, this, showProblem);

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
    settings.m_dccFolder = m_dccFolder->text().trimmed().toStdString();
    const std::string address = m_dccAddress->text().trimmed().toStdString();
    if (OfferAddress::IsValidSetting(address))
        settings.m_dccAddress = address;
    if (const std::optional<PortRange> ports = PortRange::Parse(m_dccPorts->text().toStdString()))
        settings.m_dccPorts = ports->Text();
}

QString MessagesSettingsPage::DccProblem() const
{
    const std::string address = m_dccAddress->text().trimmed().toStdString();
    if (!OfferAddress::IsValidSetting(address))
        return FromUtf8(Strings::Format(Str::DccBadOwnAddress, address.c_str()));
    const std::string ports = m_dccPorts->text().toStdString();
    if (!PortRange::Parse(ports))
        return FromUtf8(Strings::Format(Str::DccBadPortRange, ports.c_str()));
    return {};
}
