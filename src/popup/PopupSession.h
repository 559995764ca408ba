// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QUuid>

#include <algorithm>

#include <functional>
#include <memory>
#include <optional>

#include "history/ClipboardHistory.h"
#include "history/HistoryFilterModel.h"
#include "platform/KeyboardHooks.h"
#include "platform/WindowTracker.h"

// The paste popup's state while it is shown: what is typed to filter the rows, which row is
// selected, the keys that move, paste or remove, and the application it was opened over, which
// gets the focus back. Rows are those of filterModel(), the list the popup shows. Main thread
// only.
class PopupSession : public QObject {
    Q_OBJECT
  public:
    // Hands the paste on once the history wrote the record and the popup closed; the target
    // is the application the popup was opened over.
    using Deliver = std::function<void(const std::optional<RunningApp>& target)>;

    static constexpr int logPreviewLength = 40;

    // Alt+1 … Alt+9 paste the rows shown first.
    static constexpr int numberedRows = 9;
    // Page Up/Down until the view tells how many rows it shows.
    static constexpr int defaultPageRows = 5;

    // model: the one list model over `history`.
    PopupSession(KeyboardHooks& hooks, WindowTracker& windowTracker, ClipboardHistory& history,
                 HistoryListModel& model, Deliver deliver, QObject* parent = nullptr);
    ~PopupSession() override;

    bool isPopupVisible() const { return m_isPopupVisible; }
    qsizetype selectedIndex() const { return m_selectedIndex; }
    const std::optional<RunningApp>& previousFrontmostApp() const { return m_previousFrontmostApp; }
    HistoryFilterModel& filterModel() { return m_filter; }
    const QString& query() const { return m_filter.query(); }
    // Rows a page moves by: those the list shows at once.
    void setPageRows(int rows) { m_pageRows = std::max(1, rows); }

    // What the chord does: opens the popup over the application in front, or closes it.
    void toggle();
    // The list view selects a row on a single click.
    void setSelectedIndex(qsizetype index);
    void selectNext();
    void selectPrevious();
    void deleteSelectedItem();
    // Rows are those shown, filtered or not.
    void removeItemFromHistory(qsizetype row);
    void pasteItemAndClose(qsizetype row,
                           ClipboardHistory::RestoreAs as = ClipboardHistory::RestoreAs::Copied);
    // Pins or unpins the record; the selection stays on it wherever it goes.
    void togglePinned(qsizetype row);
    // Text an input method or a dead key composed, which arrives without a key: filters as
    // typed keys do. Whether it was taken.
    bool typeText(const QString& text);

  Q_SIGNALS:
    void isPopupVisibleChanged(bool visible);
    void selectedIndexChanged(qsizetype index);

  private:
    void closePopupWithoutPaste();
    // Hides the popup and forgets the application it was opened over.
    void end();
    void setPopupVisible(bool visible);
    bool handlePopupKey(const KeyEvent& event);
    bool handleTyping(const KeyEvent& event);
    void setQuery(const QString& query);
    // The record shown in this row, as an index into the history; -1 when there is none.
    qsizetype historyIndex(qsizetype row) const;
    QUuid recordIdAt(qsizetype row) const;  // null when there is no such row
    void holdSelectedRecord();
    void followSelectedRecord();
    qsizetype rowCount() const { return m_filter.rowCount(); }

    KeyboardHooks& m_hooks;
    WindowTracker& m_windowTracker;
    ClipboardHistory& m_history;
    HistoryFilterModel m_filter;
    Deliver m_deliver;
    int m_pageRows = defaultPageRows;
    bool m_typedSinceShown = false;

    bool m_isPopupVisible = false;
    qsizetype m_selectedIndex = 0;
    QUuid m_heldRecord;  // the selected one while rows change
    std::optional<RunningApp> m_previousFrontmostApp;
    std::unique_ptr<HookHandle> m_arrowKeyMonitor;
};
