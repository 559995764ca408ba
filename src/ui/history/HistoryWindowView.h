// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

#include "core/Scheduler.h"
#include "history/ClipboardHistory.h"

class AppSettings;
class HistoryWindowDelegate;
class HistoryFilterModel;
class HistoryListModel;
class QLineEdit;
class QListView;
class QPushButton;

// The history window's content: every record, newest first, with its picture, text and age;
// each row pins, copies itself back to the clipboard (Shift+double-click: as plain text) or
// deletes itself (Delete: the selected one); a search field (Ctrl+F) keeps the rows that match;
// "Clear all" empties the history after a confirmation, which asks whether the
// pinned records go too. An empty history shows only a placeholder. Built anew on a
// language change, so everything it shows is looked up when it is made.
class HistoryWindowView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int minimumWidth = 480;
    static constexpr int minimumHeight = 400;

    // model: the one list model over `history`. The scheduler gives the time the ages are
    // counted from and the timer that keeps them current while the view is shown;
    // languageCode: the interface language they are written in.
    HistoryWindowView(ClipboardHistory& history, HistoryListModel& model, Scheduler& scheduler,
                      const QString& languageCode, QWidget* parent = nullptr);
    ~HistoryWindowView() override;

    // Wide as the least width, tall enough for the rows (see the .cpp).
    QSize sizeHint() const override;

    QListView* listView() const { return m_list; }
    HistoryWindowDelegate* delegate() const { return m_delegate; }
    QWidget* placeholder() const { return m_placeholder; }
    QPushButton* clearAllButton() const { return m_clearAll; }
    QLineEdit* searchField() const { return m_search; }
    HistoryFilterModel* filterModel() const { return m_filter; }
    // The open "Clear all history?" question, or null.
    QMessageBox* clearConfirmation() const { return m_confirmation; }
    bool showClearConfirmation() const { return m_confirmation != nullptr; }

    // Opens the row's text in a read-only view for selecting part of it.
    void openTextViewer(const QModelIndex& index);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void updateContent();
    // "No matches" over the list while a search keeps no row.
    void updateNoMatches();
    void copyRow(int row, ClipboardHistory::RestoreAs as);
    // The history's index of the record shown in this row.
    int historyIndex(int row) const;
    void askToClearAll();
    void closeTextViewer();
    void scheduleDateRefresh();
    void stopDateRefresh();

    ClipboardHistory& m_history;
    HistoryListModel& m_model;
    Scheduler& m_scheduler;
    HistoryFilterModel* m_filter = nullptr;
    HistoryWindowDelegate* m_delegate = nullptr;
    QLineEdit* m_search = nullptr;
    QWidget* m_placeholder = nullptr;
    QWidget* m_listPage = nullptr;
    QListView* m_list = nullptr;
    QWidget* m_noMatches = nullptr;
    QPushButton* m_clearAll = nullptr;
    QPointer<QMessageBox> m_confirmation;
    QPersistentModelIndex m_viewerIndex;
    Scheduler::TimerId m_dateTimer = 0;
};
