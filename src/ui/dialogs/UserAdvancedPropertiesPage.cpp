#include "dialogs/UserAdvancedPropertiesPage.h"

#include "dialogs/PropertyFields.h"
#include "text/StrPrintf.h"
#include "widgets/Utf8Text.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cinttypes>
#include <ctime>

UserAdvancedPropertiesPage::UserAdvancedPropertiesPage(const std::string &sessionKey, const std::string &nick,
                                                       QWidget *parent)
    : QWidget(parent), m_sessionKey(sessionKey), m_nick(nick)
{
    m_version = ReadOnlyField(this);
    m_time = ReadOnlyField(this);
    m_speed = ReadOnlyField(this);
    m_askVersion = new QPushButton(FromStr(Str::AskVersionButton), this);
    m_askTime = new QPushButton(FromStr(Str::AskTimeButton), this);
    m_askPing = new QPushButton(FromStr(Str::AskPingButton), this);

    auto *fields = new QFormLayout;
    fields->addRow(FromStr(Str::ClientFieldLabel), m_version);
    fields->addRow(FromStr(Str::TimeFieldLabel), m_time);
    fields->addRow(FromStr(Str::SpeedFieldLabel), m_speed);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_askVersion);
    buttons->addWidget(m_askTime);
    buttons->addWidget(m_askPing);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(m_askVersion, &QPushButton::clicked, this, [this] { Send(VersionRequest(m_nick)); });
    connect(m_askTime, &QPushButton::clicked, this, [this] { Send(TimeRequest(m_nick)); });
    connect(m_askPing, &QPushButton::clicked, this,
            [this] { Send(PingRequest(m_nick, static_cast<int64_t>(std::time(nullptr)))); });
}

std::string UserAdvancedPropertiesPage::VersionRequest(const std::string &nick)
{
    return StrPrintf("/quote PRIVMSG %s :%cVERSION%c", nick.c_str(), Ctcp::kMarker, Ctcp::kMarker);
}

std::string UserAdvancedPropertiesPage::TimeRequest(const std::string &nick)
{
    return StrPrintf("/quote PRIVMSG %s :%cTIME%c", nick.c_str(), Ctcp::kMarker, Ctcp::kMarker);
}

std::string UserAdvancedPropertiesPage::PingRequest(const std::string &nick, int64_t now)
{
    return StrPrintf("/quote PRIVMSG %s :%cPING %" PRId64 "%c", nick.c_str(), Ctcp::kMarker, now, Ctcp::kMarker);
}

void UserAdvancedPropertiesPage::Send(const std::string &line)
{
    if (m_run)
        m_run(line);
}

bool UserAdvancedPropertiesPage::Apply(const Ctcp::PropertyUpdate &update)
{
    switch (update.field) {
    case Ctcp::PropertyUpdate::Version:
        ShowInField(m_version, update.value);
        return true;
    case Ctcp::PropertyUpdate::Time:
        ShowInField(m_time, update.value);
        return true;
    case Ctcp::PropertyUpdate::Speed:
        ShowInField(m_speed, update.value);
        return true;
    default:
        return false;
    }
}

QString UserAdvancedPropertiesPage::VersionText() const
{
    return m_version->text();
}
QString UserAdvancedPropertiesPage::TimeText() const
{
    return m_time->text();
}
QString UserAdvancedPropertiesPage::SpeedText() const
{
    return m_speed->text();
}
