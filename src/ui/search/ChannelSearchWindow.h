#pragma once

#include "windows/ChildWindow.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>

class SearchBar;
class QTreeView;
class SearchListModel;
class Session;
class SessionTable;
struct ChannelListEntry;

// The channel search window of one session: the search bar on top and the
// channels of the network's list below in three sortable columns (channel,
// users, topic), of which those that pass the bar's filter are shown. The
// caption counts the channels shown and received. The list comes from the
// session's ChannelListFeed through BeginList, AddChannel and EndList; rows
// reach the view in batches, and the caption follows once per batch.
//
// The commands of the "&Hľadať Kanály" menu act on the selected channel:
// join it, add it to the favourites, ask for its users, send it a message;
// and save the list shown as text. A right click on the list opens that menu
// (contextMenuRequested), a double click joins. Commands act only while the
// session exists. Closing is refused while a list runs.
class ChannelSearchWindow : public ChildWindow
{
    Q_OBJECT

public:
    // Asks for one line of text; false when cancelled.
    using TextPrompt = std::function<bool(const QString &title, const QString &prompt, QString &text)>;

    // The longest time a received channel waits before the view shows it.
    static constexpr int kBatchIntervalMs = 100;

    ChannelSearchWindow(SessionTable &sessions, const std::string &sessionKey, const std::string &networkName,
                 QWidget *parent = nullptr);
    ~ChannelSearchWindow() override;

    // A list begins: the window empties and its bar is disabled until EndList.
    void BeginList();
    void AddChannel(const std::string &channel, uint32_t users, const std::string &topic);
    void EndList();
    bool IsRunning() const { return m_running; }

    // Shows the channels received but not yet shown (the batch timer does
    // this by itself).
    void FlushChannels();
    int FoundCount() const;
    int TotalCount() const;
    QString Caption() const;

    // A click on a column's header: sorts by it in the shared direction,
    // which then flips (ascending first).
    void SortBy(int column);

    // Whether the window may close now; when a list runs it says why not.
    bool MayClose();

    void SetTextPrompt(TextPrompt prompt) { m_prompt = std::move(prompt); }
    SearchBar *Bar() const { return m_bar; }
    QTreeView *ListView() const { return m_view; }

    // ShellChild
    QString ButtonToolTip() const override { return Caption(); }
    int ButtonImage() const override { return 4; }
    bool UpdateCommand(int id, bool &enabled, bool &checked) const override;
    bool HandleCommand(int id) override;

signals:
    void contextMenuRequested(const QPoint &globalPos);

protected:
    bool CloseRequested() override;

private:
    Session *GetSession() const;
    int RunLine(const std::string &line);
    const ChannelListEntry *SelectedEntry() const;
    const ChannelListEntry *SelectedSingleChannel() const;
    void StartSearch();
    void StopSearch();
    void ApplyFilter();
    void UpdateCaption();
    void JoinSelected();
    void AddSelectedToFavourites();
    void ShowSelectedUsers();
    void SendMessageToSelected();
    void SaveList();
    bool WriteList(const std::string &path) const;

    SessionTable &m_sessions;
    std::string m_networkName;
    SearchBar *m_bar;
    SearchListModel *m_rows;
    QTreeView *m_view;
    QTimer m_batchTimer;
    TextPrompt m_prompt;
    bool m_running = false;
    bool m_ascending = true;
};
