// The mentions of the session table as rows of a list view.
#pragma once

#include <QAbstractTableModel>

class MentionList;
struct Mention;

// One row per mention, newest first, in the columns time, network, window
// (the network's name for its status window), nick and text; the rows of
// unread mentions are bold. All text is plain.
// Reset is called after every change of the list (a thousand rows at most).
class MentionListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { TimeColumn, NetworkColumn, WindowColumn, NickColumn, TextColumn, ColumnCount };

    explicit MentionListModel(const MentionList &mentions, QObject *parent = nullptr);

    // The list changed: every row is read again.
    void Reset();
    const Mention &MentionAt(const QModelIndex &index) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const MentionList &m_mentions;
};
