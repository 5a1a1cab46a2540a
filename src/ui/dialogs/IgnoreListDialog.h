#pragma once

#include <QDialog>

#include "session/IgnoreEntry.h"

#include <optional>
#include <string>
#include <vector>

class ReportList;
class QComboBox;
class QPushButton;
class QTimer;
class Session;
class SessionTable;

// The ignore list of a session: a drop-down of the sessions and the entries
// of the chosen one (address, what is ignored, for how long, since when),
// kept up to date every second. Delete gives the session "/ignore delete";
// change edits the entry in place.
class IgnoreListDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 1000;

    // sessionKey: the session to show first (else the first one).
    IgnoreListDialog(SessionTable &sessions, const std::string &sessionKey = {}, QWidget *parent = nullptr);

    QComboBox *SessionBox() const { return m_sessions; }
    ReportList *List() const { return m_list; }
    QPushButton *ChangeButton() const { return m_change; }
    QPushButton *DeleteButton() const { return m_delete; }
    QTimer *RefreshTimer() const { return m_timer; }

    // The list follows the session's entries.
    void Refresh();
    void DeleteEntry();
    void ChangeEntry();

private:
    Session *SelectedSession() const;
    // The session's entry of the selected row; null without one.
    const IgnoreEntry *SelectedEntry() const;
    void ShowMenu(const QPoint &position);

    SessionTable &m_table;
    QComboBox *m_sessions;
    ReportList *m_list;
    QPushButton *m_add;
    QPushButton *m_change;
    QPushButton *m_delete;
    QTimer *m_timer;
    // The entries the rows show; none before the first refresh of a session.
    std::optional<std::vector<IgnoreEntry>> m_shown;
};
