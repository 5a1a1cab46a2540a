#pragma once

#include "history/LogFindResult.h"
#include "history/LogQuery.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <string>
#include <tuple>
#include <vector>

class HistoryIndex;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The find-everywhere window: one line of query (see LogQuery: words,
// "phrases", nick:, net:, win:, od:, do:) over the logs of every network.
// What is found is grouped by network, window and day, the newest first,
// each line with the lines before and after it; "Ďalšie výsledky" brings the
// next page. A double click (or Enter) on a line asks for it to be opened
// (lineOpened). While the index is being built from the logs a progress bar
// says how far it is.
class FindEverywhereWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPageLines = 200;

    explicit FindEverywhereWindow(QWidget *parent = nullptr);

    // The index searched; null while logging is off.
    void SetIndex(HistoryIndex *index);
    // Puts the text into the query line and searches.
    void Search(const QString &text);

    QLineEdit *QueryLine() const { return m_query; }
    QTreeWidget *Results() const { return m_results; }
    QProgressBar *ProgressBar() const { return m_progress; }
    QLabel *Status() const { return m_status; }
    QPushButton *MoreButton() const { return m_more; }
    // Whether a query is on its way.
    bool IsSearching() const { return m_searching; }
    // The found line an item of the results shows; null for a group.
    const LogFound *FoundOf(const QTreeWidgetItem *item) const;

signals:
    void lineOpened(const LogFound &found);

private:
    void RunQuery();
    void AskPage(int64_t before);
    void ShowPage(const LogFindResult &page);
    void AddLine(const LogFound &found);
    void ShowStatus();
    void FollowProgress();
    void OpenItem(QTreeWidgetItem *item);

    QLineEdit *m_query;
    QPushButton *m_find;
    QLabel *m_progressLabel;
    QProgressBar *m_progress;
    QTreeWidget *m_results;
    QLabel *m_status;
    QPushButton *m_more;
    QPointer<HistoryIndex> m_index;

    LogQuery m_current;
    QString m_error; // the query line is no query: why
    std::vector<LogFound> m_found;
    // Group items by network, window and day folder names.
    std::map<std::tuple<std::string, std::string, std::string>, QTreeWidgetItem *> m_groups;
    int m_generation = 0;
    int64_t m_next = 0;
    bool m_hasMore = false;
    bool m_searching = false;
};
