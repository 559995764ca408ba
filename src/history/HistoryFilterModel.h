#pragma once

#include <QSortFilterProxyModel>
#include <QStringList>

class HistoryListModel;

// The rows of the one list model whose record holds every word of the query, in any order,
// compared in SearchText's form; the model's order stays, pinned rows first. Pictures and
// placeholders are found by their label in the interface language of the moment. An empty
// query lets every row through.
class HistoryFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    explicit HistoryFilterModel(HistoryListModel& source, QObject* parent = nullptr);

    const QString& query() const { return m_query; }
    const QStringList& words() const { return m_words; }
    void setQuery(const QString& query);

  Q_SIGNALS:
    void queryChanged(const QString& query);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    QString m_query;
    QStringList m_words;
};
