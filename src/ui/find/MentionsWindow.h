// The mentions window: every line that named the user since the program started.
#pragma once

#include "windows/ChildWindow.h"

#include <cstdint>

class MentionListModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QTreeView;
class SessionTable;

// A child window of the main window listing the session table's mentions,
// newest first, with time, network, window, nick and text; unread ones are
// bold, and the caption counts them. A click (or Enter, or a double click)
// on a row opens the line's window and scrolls it to that line, which is
// read from then on; opening a window reads all its mentions. Its button
// in the window bar blinks while any is unread.
class MentionsWindow : public ChildWindow
{
    Q_OBJECT
public:
    explicit MentionsWindow(SessionTable &sessions, QWidget *parent = nullptr);
    ~MentionsWindow() override;

    QTreeView *ListView() const { return m_view; }
    QString Caption() const;
    // Opens the window of the mention in that row at its line. False when
    // the mention's session has gone (its status window is shown when the
    // window itself has).
    bool OpenMention(const QModelIndex &index);

    // ShellChild
    QString ButtonToolTip() const override { return Caption(); }
    int ButtonImage() const override { return 4; }
    bool HasActivity() const override;

private:
    void ListChanged();

    SessionTable &m_sessions;
    MentionListModel *m_rows;
    QTreeView *m_view;
    QLabel *m_hint;
    QPushButton *m_markAll;
};
