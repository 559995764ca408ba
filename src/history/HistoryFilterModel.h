// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QUuid>

#include "history/SearchText.h"

class HistoryListModel;

// The rows of the one list model whose record holds every word of the query, in any order,
// compared in SearchText's form; the model's order stays, pinned rows first. Pictures and
// placeholders are found by their label in the interface language of the moment. An empty
// query lets every row through.
class HistoryFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    // What counts of a query: a scanner or a held key may type thousands of characters, and a
    // longer query would find nothing more.
    static constexpr qsizetype maxQueryLength = 256;

    explicit HistoryFilterModel(HistoryListModel& source, QObject* parent = nullptr);

    // The query as it counts: cut to maxQueryLength.
    const QString& query() const { return m_query; }
    const QStringList& words() const { return m_words; }
    void setQuery(const QString& query);

    // Qt::AccessibleDescriptionRole: the row's place among those shown, and whether it is
    // pinned, for a screen reader.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  Q_SIGNALS:
    void queryChanged(const QString& query);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    void setWords(QStringList words);

    QString m_query;
    QStringList m_words;
    QList<SearchWord> m_needles;
    // The records the words let through, so that a query that only grew (typing) reads only
    // these again, and of them only for the words that changed.
    mutable QSet<QUuid> m_accepted;
    QSet<QUuid> m_narrowingFrom;
    qsizetype m_firstChangedWord = -1;  // while narrowing
};
