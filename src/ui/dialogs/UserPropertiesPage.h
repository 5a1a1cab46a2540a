#pragma once

#include "session/Ctcp.h"

#include <QWidget>

#include <string>

class QLineEdit;

// The first page of a user's properties sheet: nick, address, full name,
// channels, server, away text and sign-on time, as the WHOIS replies tell.
class UserPropertiesPage : public QWidget
{
    Q_OBJECT

public:
    UserPropertiesPage(const std::string &sessionKey, const std::string &nick, QWidget *parent = nullptr);

    const std::string &SessionKey() const { return m_sessionKey; }
    const std::string &Nick() const { return m_nick; }

    // Fills the field the update names; false for fields of other pages.
    bool Apply(const Ctcp::PropertyUpdate &update);

    QString AddressText() const;
    QString FullNameText() const;
    QString ChannelsText() const;
    QString ServerText() const;
    QString AwayText() const;

private:
    std::string m_sessionKey;
    std::string m_nick;
    QLineEdit *m_nickField = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_fullName = nullptr;
    QLineEdit *m_channels = nullptr;
    QLineEdit *m_server = nullptr;
    QLineEdit *m_away = nullptr;
    QLineEdit *m_signOn = nullptr;
};
