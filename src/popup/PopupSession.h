#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

#include "history/ClipboardHistory.h"
#include "platform/KeyboardHooks.h"
#include "platform/Workspace.h"

// The paste popup's state while it is shown: which row is selected, the keys that move,
// paste or remove, and the application it was opened over, which gets the focus back.
// Main thread only.
class PopupSession : public QObject {
    Q_OBJECT
  public:
    // Hands the paste on once the history wrote the record and the popup closed; the target
    // is the application the popup was opened over.
    using Deliver = std::function<void(const std::optional<RunningApp>& target)>;

    static constexpr int logPreviewLength = 40;

    PopupSession(KeyboardHooks& hooks, Workspace& workspace, ClipboardHistory& history,
                 Deliver deliver, QObject* parent = nullptr);
    ~PopupSession() override;

    bool isPopupVisible() const { return m_isPopupVisible; }
    qsizetype selectedIndex() const { return m_selectedIndex; }
    const std::optional<RunningApp>& previousFrontmostApp() const { return m_previousFrontmostApp; }

    // What the chord does: opens the popup over the application in front, or closes it.
    void toggle();
    // The list view selects a row on a single click.
    void setSelectedIndex(qsizetype index);
    void selectNext();
    void selectPrevious();
    void deleteSelectedItem();
    void removeItemFromHistory(qsizetype index);
    void pasteItemAndClose(qsizetype index,
                           ClipboardHistory::RestoreAs as = ClipboardHistory::RestoreAs::Copied);
    // Pins or unpins the record; the selection stays on it wherever it goes.
    void togglePinned(qsizetype index);

  Q_SIGNALS:
    void isPopupVisibleChanged(bool visible);
    void selectedIndexChanged(qsizetype index);

  private:
    void closePopupWithoutPaste();
    // Hides the popup and forgets the application it was opened over.
    void end();
    void setPopupVisible(bool visible);
    bool handlePopupKey(const KeyEvent& event);

    KeyboardHooks& m_hooks;
    Workspace& m_workspace;
    ClipboardHistory& m_history;
    Deliver m_deliver;

    bool m_isPopupVisible = false;
    qsizetype m_selectedIndex = 0;
    std::optional<RunningApp> m_previousFrontmostApp;
    std::unique_ptr<HookHandle> m_arrowKeyMonitor;
};
