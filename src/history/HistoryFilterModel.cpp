#include "history/HistoryFilterModel.h"

#include "history/HistoryListModel.h"
#include "history/SearchText.h"

HistoryFilterModel::HistoryFilterModel(HistoryListModel& source, QObject* parent)
    : QSortFilterProxyModel(parent) {
    setSourceModel(&source);
    // A record's search text never changes; the role tells which changes could matter.
    setFilterRole(HistoryListModel::SearchKeyRole);
}

void HistoryFilterModel::setQuery(const QString& query) {
    if (query == m_query) {
        return;
    }
    QStringList words = SearchText::words(query);
    m_query = query;
    if (words != m_words) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
        // The proxy must see the rows as they were before the words change.
        beginFilterChange();
        m_words = std::move(words);
        endFilterChange(Direction::Rows);
#else
        m_words = std::move(words);
        invalidateFilter();
#endif
    }
    Q_EMIT queryChanged(m_query);
}

bool HistoryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (m_words.isEmpty()) {
        return true;
    }
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    const QString key = index.data(HistoryListModel::SearchKeyRole).toString();
    if (!key.isEmpty()) {
        return SearchText::matchesAll(key, m_words);
    }
    return SearchText::matchesAll(
        SearchText::normalised(index.data(HistoryListModel::RowTextRole).toString()), m_words);
}
