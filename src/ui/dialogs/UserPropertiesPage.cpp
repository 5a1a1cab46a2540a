#include "dialogs/UserPropertiesPage.h"

#include "dialogs/PropertyFields.h"
#include "widgets/Utf8Text.h"

#include <QFormLayout>
#include <QLineEdit>

UserPropertiesPage::UserPropertiesPage(const std::string &sessionKey, const std::string &nick, QWidget *parent)
    : QWidget(parent), m_sessionKey(sessionKey), m_nick(nick)
{
    m_nickField = ReadOnlyField(this);
    ShowInField(m_nickField, nick);
    m_address = ReadOnlyField(this);
    m_fullName = ReadOnlyField(this);
    m_channels = ReadOnlyField(this);
    m_server = ReadOnlyField(this);
    m_away = ReadOnlyField(this);
    m_signOn = ReadOnlyField(this);
    auto *layout = new QFormLayout(this);
    layout->addRow(FromStr(Str::NickFieldLabel), m_nickField);
    layout->addRow(FromStr(Str::AddressFieldLabel), m_address);
    layout->addRow(FromStr(Str::FullNameFieldLabel), m_fullName);
    layout->addRow(FromStr(Str::ChannelsFieldLabel), m_channels);
    layout->addRow(FromStr(Str::ServerFieldLabel), m_server);
    layout->addRow(FromStr(Str::AwayFieldLabel), m_away);
    layout->addRow(FromStr(Str::SignedOnFieldLabel), m_signOn);
}

bool UserPropertiesPage::Apply(const Ctcp::PropertyUpdate &update)
{
    switch (update.field) {
    case Ctcp::PropertyUpdate::Address:
        ShowInField(m_address, update.value);
        ShowInField(m_fullName, update.fullName);
        return true;
    case Ctcp::PropertyUpdate::Channels:
        ShowInField(m_channels, update.value);
        return true;
    case Ctcp::PropertyUpdate::Server:
        ShowInField(m_server, update.value);
        return true;
    case Ctcp::PropertyUpdate::Away:
        ShowInField(m_away, update.value);
        return true;
    case Ctcp::PropertyUpdate::SignOn:
        ShowInField(m_signOn, update.value);
        return true;
    default:
        return false;
    }
}

QString UserPropertiesPage::AddressText() const
{
    return m_address->text();
}
QString UserPropertiesPage::FullNameText() const
{
    return m_fullName->text();
}
QString UserPropertiesPage::ChannelsText() const
{
    return m_channels->text();
}
QString UserPropertiesPage::ServerText() const
{
    return m_server->text();
}
QString UserPropertiesPage::AwayText() const
{
    return m_away->text();
}
