#pragma once

#include <QDialog>

#include "conversation/BanEntry.h"

#include <optional>
#include <string>
#include <vector>

class ReportList;
class Conversation;
class QPushButton;
class QTimer;
class SessionTable;

// The bans of one channel of a session: mask, who set it, since when and
// for how long, kept up to date every second. Remove asks the server to
// lift the ban; change gives it a duration after which the session lifts it.
class BanListDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 1000;

    BanListDialog(SessionTable &sessions, const std::string &sessionKey, const std::string &channel,
                  QWidget *parent = nullptr);

    const std::string &SessionKey() const { return m_sessionKey; }
    const std::string &Channel() const { return m_channel; }
    ReportList *List() const { return m_list; }
    QPushButton *ChangeButton() const { return m_change; }
    QPushButton *RemoveButton() const { return m_remove; }
    QTimer *RefreshTimer() const { return m_timer; }

    // The list follows the channel's bans.
    void Refresh();
    void RemoveBan();
    void ChangeBan();

private:
    // The channel's conversation; null when the session or window is gone.
    Conversation *Window() const;
    // The channel's ban of the selected row; null without one.
    const BanEntry *SelectedBan() const;
    void ShowMenu(const QPoint &position);

    SessionTable &m_table;
    std::string m_sessionKey;
    std::string m_channel;
    ReportList *m_list;
    QPushButton *m_change;
    QPushButton *m_remove;
    QTimer *m_timer;
    // The bans the rows show; none before the first refresh.
    std::optional<std::vector<BanEntry>> m_shown;
};
