// SPDX-License-Identifier: MIT
#include "history/HistoryFilterModel.h"

#include <algorithm>
#include <span>
#include <utility>

#include "history/HistoryListModel.h"

namespace {

// The first word of `now` that is not one of `before`, when every row `now` lets through was
// let through by `before` too: the same words, the last one longer, perhaps more after it.
// -1 otherwise.
qsizetype firstNarrowedWord(const QStringList& before, const QStringList& now) {
    if (before.isEmpty() || now.size() < before.size()) {
        return -1;
    }
    const qsizetype last = before.size() - 1;
    for (qsizetype i = 0; i < last; ++i) {
        if (before[i] != now[i]) {
            return -1;
        }
    }
    if (!now[last].startsWith(before[last])) {
        return -1;
    }
    return now[last] == before[last] ? last + 1 : last;
}

}  // namespace

HistoryFilterModel::HistoryFilterModel(HistoryListModel& source, QObject* parent)
    : QSortFilterProxyModel(parent) {
    setSourceModel(&source);
    // A record's search text never changes; the role tells which changes could matter.
    setFilterRole(HistoryListModel::SearchKeyRole);
}

QVariant HistoryFilterModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::AccessibleDescriptionRole || !index.isValid()) {
        return QSortFilterProxyModel::data(index, role);
    }
    const QString place = index.data(HistoryListModel::PinnedRole).toBool()
                              ? tr("Item %1 of %2, pinned")
                              : tr("Item %1 of %2");
    return place.arg(index.row() + 1).arg(rowCount());
}

void HistoryFilterModel::setQuery(const QString& query) {
    qsizetype length = std::min(query.size(), maxQueryLength);
    if (length < query.size() && length > 0 && query[length - 1].isHighSurrogate()) {
        --length;  // never half a character
    }
    const QString counted = query.left(length);
    if (counted == m_query) {
        return;
    }
    QStringList words = SearchText::words(counted);
    m_query = counted;
    if (words != m_words) {
        setWords(std::move(words));
    }
    Q_EMIT queryChanged(m_query);
}

void HistoryFilterModel::setWords(QStringList words) {
    QList<SearchWord> needles;
    needles.reserve(words.size());
    for (const QString& word : words) {
        needles.append(SearchWord(word));
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
    // The proxy must see the rows as they were before the words change.
    beginFilterChange();
#endif
    m_firstChangedWord = firstNarrowedWord(m_words, words);
    m_narrowingFrom = m_firstChangedWord >= 0 ? std::exchange(m_accepted, {}) : QSet<QUuid>();
    m_accepted.clear();
    m_words = std::move(words);
    m_needles = std::move(needles);
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
    endFilterChange(Direction::Rows);
#else
    invalidateFilter();
#endif
    m_firstChangedWord = -1;
    m_narrowingFrom.clear();
}

bool HistoryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (m_needles.isEmpty()) {
        return true;
    }
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    const QString key = index.data(HistoryListModel::SearchKeyRole).toString();
    if (key.isEmpty()) {
        // Labels are short, and follow the interface language: always read whole.
        return SearchText::matchesAll(
            SearchText::normalised(index.data(HistoryListModel::RowTextRole).toString()),
            m_needles);
    }
    const QUuid id = index.data(HistoryListModel::RecordIdRole).toUuid();
    bool accepted = false;
    if (m_firstChangedWord >= 0) {
        accepted = m_narrowingFrom.contains(id) &&
                   SearchText::matchesAll(
                       key, std::span<const SearchWord>(m_needles).subspan(m_firstChangedWord));
    } else {
        accepted = SearchText::matchesAll(key, m_needles);
    }
    if (accepted) {
        m_accepted.insert(id);
    } else {
        m_accepted.remove(id);
    }
    return accepted;
}
