#pragma once

#include "search/ChannelSearchFilter.h"

#include <QSortFilterProxyModel>

class SearchListModel;

// The search window's list as the user sees it: the channels that pass the
// filter, in the order of the column last sorted by (ChannelListEntry's
// comparison), otherwise in the order they came.
class SearchFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit SearchFilterModel(SearchListModel &rows, QObject *parent = nullptr);

    void SetFilter(const ChannelSearchFilter &filter);
    const ChannelSearchFilter &Filter() const { return m_filter; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    SearchListModel &m_rows;
    ChannelSearchFilter m_filter;
};
