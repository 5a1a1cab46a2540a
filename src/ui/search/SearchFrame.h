#pragma once

#include "app/ShellChild.h"

#include <QWidget>

#include <string>

class QTreeWidget;

// The channel search window of one session: a child window of the main
// window listing the channels of the network's LIST reply (channel, users,
// topic), sortable by each column. The filter bar and saving the list come
// with the channel search work; until then every row is shown.
class CSearchFrame : public QWidget, public ShellChild
{
    Q_OBJECT

public:
    CSearchFrame(const std::string &sessionKey, const std::string &networkName, QWidget *parent = nullptr);

    // One LIST reply row, "channel users topic".
    void AddRow(const std::string &row);
    // The list has ended (or the connection was lost).
    void EndList();

    int FoundCount() const;
    int TotalCount() const { return m_total; }
    QString Caption() const;

    QString SessionName() const override { return QString::fromStdString(m_sessionKey); }
    QString WindowName() const override { return QStringLiteral("search"); }
    QString ButtonToolTip() const override { return Caption(); }
    int ButtonImage() const override { return 4; }

signals:
    void captionChanged(const QString &caption);

private:
    void UpdateCaption();

    std::string m_sessionKey;
    std::string m_networkName;
    QTreeWidget *m_list;
    int m_total = 0;
    bool m_running = true;
};
