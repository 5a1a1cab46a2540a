#pragma once

#include <QDialog>

#include <string>

class QTabWidget;
class Session;
class SessionTable;
class ChannelPropertiesPage;
class UserPropertiesPage;
class UserAdvancedPropertiesPage;

// The modeless properties sheet of a channel (one ChannelPropertiesPage page) or of a
// user (UserPropertiesPage and UserAdvancedPropertiesPage pages, filled by the WHOIS and CTCP
// replies the session routes to it). One sheet per name per session: the
// open sheets are kept here, and the nick of each user sheet is listed in its
// session's PropertySheetNicks() while the sheet is open.
class PropertySheet : public QDialog
{
    Q_OBJECT

public:
    // Opens the properties of a channel or a user of the session, or focuses
    // the sheet already open for that name (compared without regard to case).
    // owner: the main window. Returns the sheet, null for an empty name.
    static PropertySheet *OpenProperties(Session &session, const std::string &name, QWidget *owner);
    // The visible sheet of the session for this name (any case), or null.
    static PropertySheet *Find(const std::string &sessionKey, const std::string &name);
    // A WHOIS numeric or CTCP reply line about nick for the user sheet of that
    // session and nick (exact case). False when no such sheet is open.
    static bool RouteUserLine(const std::string &sessionKey, const std::string &nick, const std::string &line);
    // Closes every open sheet (at exit).
    static void CloseAll();

    // Sheets hold only the session's key and find the session in its table
    // when they need it, so a session that closed meanwhile is simply not
    // found. The table must outlive the sheet (CloseAll before it goes).
    PropertySheet(const SessionTable &table, const std::string &sessionKey, const std::string &name, QWidget *owner);
    ~PropertySheet() override;

    const std::string &SessionKey() const { return m_sessionKey; }
    // The channel or nick the sheet's first page shows.
    std::string Name() const;
    bool IsUserSheet() const { return m_user != nullptr; }

    ChannelPropertiesPage *ChannelPage() const { return m_channel; }
    UserPropertiesPage *UserPage() const { return m_user; }
    UserAdvancedPropertiesPage *AdvancedPage() const { return m_advanced; }
    QTabWidget *Tabs() const { return m_tabs; }

    // Fills the user pages from a WHOIS numeric or a NOTICE carrying a CTCP
    // reply; false when the line fills nothing.
    bool ApplyLine(const std::string &line);

private:
    void AddChannelPage(const std::string &channel, const std::string &topic, int count);
    void AddUserPages(const std::string &nick);
    int RunCommand(const std::string &line) const;
    Session *FindSession() const;
    // Takes the sheet off the list of open sheets and its nick off the session's.
    void Forget();

    const SessionTable &m_table;
    std::string m_sessionKey;
    std::string m_name;
    QTabWidget *m_tabs = nullptr;
    ChannelPropertiesPage *m_channel = nullptr;
    UserPropertiesPage *m_user = nullptr;
    UserAdvancedPropertiesPage *m_advanced = nullptr;
    bool m_forgotten = false;
};
