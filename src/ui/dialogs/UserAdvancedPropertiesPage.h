#pragma once

#include "session/Ctcp.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

// The second page of a user's properties sheet: the client version, the
// local time and the connection speed the user's CTCP replies tell, and the
// three buttons that ask for them.
class UserAdvancedPropertiesPage : public QWidget
{
    Q_OBJECT

public:
    // Runs a command line through the user's session.
    using CommandRunner = std::function<int(const std::string &line)>;

    UserAdvancedPropertiesPage(const std::string &sessionKey, const std::string &nick, QWidget *parent = nullptr);

    const std::string &SessionKey() const { return m_sessionKey; }
    const std::string &Nick() const { return m_nick; }
    void SetCommandRunner(CommandRunner runner) { m_run = std::move(runner); }

    // Fills the field the update names; false for fields of other pages.
    bool Apply(const Ctcp::PropertyUpdate &update);

    // The request lines the buttons send. now: seconds since 1970.
    static std::string VersionRequest(const std::string &nick);
    static std::string TimeRequest(const std::string &nick);
    static std::string PingRequest(const std::string &nick, int64_t now);

    QString VersionText() const;
    QString TimeText() const;
    QString SpeedText() const;
    QPushButton *VersionButton() const { return m_askVersion; }
    QPushButton *TimeButton() const { return m_askTime; }
    QPushButton *PingButton() const { return m_askPing; }

private:
    void Send(const std::string &line);

    std::string m_sessionKey;
    std::string m_nick;
    CommandRunner m_run;
    QLineEdit *m_version = nullptr;
    QLineEdit *m_time = nullptr;
    QLineEdit *m_speed = nullptr;
    QPushButton *m_askVersion = nullptr;
    QPushButton *m_askTime = nullptr;
    QPushButton *m_askPing = nullptr;
};
