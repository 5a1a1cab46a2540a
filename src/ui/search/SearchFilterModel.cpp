#include "search/SearchFilterModel.h"

#include "search/SearchListModel.h"

SearchFilterModel::SearchFilterModel(SearchListModel &rows, QObject *parent)
    : QSortFilterProxyModel(parent), m_rows(rows)
{
    setSourceModel(&rows);
}

void SearchFilterModel::SetFilter(const ChannelSearchFilter &filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    invalidateFilter();
}

bool SearchFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    return m_filter.Passes(m_rows.Entry(sourceRow));
}

// The entries compare directly: no text is made for the views' roles.
bool SearchFilterModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const auto column = static_cast<ChannelListEntry::Column>(left.column());
    return ChannelListEntry::Compare(column, m_rows.Entry(left.row()), m_rows.Entry(right.row())) < 0;
}
