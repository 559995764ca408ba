#include "popup/PopupSession.h"

#include <QPointer>

#include "core/AppLogger.h"
#include "core/GraphemeCut.h"
#include "history/ClipboardHistory.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

QString nameOrQuestionMark(const RunningApp& app) {
    return app.name.isEmpty() ? QStringLiteral("?") : app.name;
}

// The first characters as the user sees them, so an emoji is never cut in half in the log.
[[maybe_unused]] QString leadingCharacters(const QString& text, int count) {
    return text.left(graphemeCut(text, count).value_or(text.size()));
}

}  // namespace

PopupSession::PopupSession(KeyboardHooks& hooks, Workspace& workspace, ClipboardHistory& history,
                           Deliver deliver, QObject* parent)
    : QObject(parent),
      m_hooks(hooks),
      m_workspace(workspace),
      m_history(history),
      m_deliver(std::move(deliver)) {}

PopupSession::~PopupSession() = default;

void PopupSession::setSelectedIndex(qsizetype index) {
    if (m_selectedIndex == index) {
        return;
    }
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged(index);
}

void PopupSession::setPopupVisible(bool visible) {
    if (m_isPopupVisible == visible) {
        return;
    }
    m_isPopupVisible = visible;
    Q_EMIT isPopupVisibleChanged(visible);
}

void PopupSession::toggle() {
    if (m_history.items().isEmpty()) {
        log(QStringLiteral("KeyDown: history is empty, nothing to show"));
        return;
    }
    if (m_isPopupVisible) {
        log(QStringLiteral("KeyDown: popup already shown, closing it"));
        closePopupWithoutPaste();
        return;
    }
    m_previousFrontmostApp = m_workspace.frontmostApplication();
    const QString name = m_previousFrontmostApp && !m_previousFrontmostApp->name.isEmpty()
                             ? m_previousFrontmostApp->name
                             : QStringLiteral("nil");
    log(QStringLiteral("KeyDown: showing popup, previousFrontmost=%1").arg(name));
    setSelectedIndex(0);
    setPopupVisible(true);
    if (!m_arrowKeyMonitor) {
        QPointer<PopupSession> self(this);
        m_arrowKeyMonitor = m_hooks.observeLocalKeyDowns([self](const KeyEvent& event) {
            // The action may remove this very monitor; nothing of the closure is touched after it.
            return self ? self->handlePopupKey(event) : false;
        });
    }
}

bool PopupSession::handlePopupKey(const KeyEvent& event) {
    if (!m_isPopupVisible) {
        return false;
    }
    const bool shift = (event.modifiers & ModifierFlag::Shift) != 0;
    switch (event.typedKey()) {
        case KeyCode::Return:
        case KeyCode::KeypadEnter:
            pasteItemAndClose(m_selectedIndex, shift ? ClipboardHistory::RestoreAs::PlainText
                                                     : ClipboardHistory::RestoreAs::Copied);
            return true;
        case KeyCode::P:
            if ((event.modifiers & ModifierFlag::Control) == 0) {
                return false;
            }
            togglePinned(m_selectedIndex);
            return true;
        case KeyCode::Delete:
        case KeyCode::ForwardDelete:
            deleteSelectedItem();
            return true;
        case KeyCode::Escape:
            closePopupWithoutPaste();
            return true;
        case KeyCode::DownArrow:
            selectNext();
            return true;
        case KeyCode::UpArrow:
            selectPrevious();
            return true;
        default:
            return false;
    }
}

void PopupSession::selectNext() {
    const qsizetype n = m_history.items().size();
    if (n == 0) {
        return;
    }
    setSelectedIndex((m_selectedIndex + 1) % n);
}

void PopupSession::selectPrevious() {
    const qsizetype n = m_history.items().size();
    if (n == 0) {
        return;
    }
    setSelectedIndex((m_selectedIndex + n - 1) % n);
}

void PopupSession::end() {
    setPopupVisible(false);
    m_arrowKeyMonitor.reset();
    m_previousFrontmostApp.reset();
}

void PopupSession::closePopupWithoutPaste() {
    const std::optional<RunningApp> previous = m_previousFrontmostApp;
    setPopupVisible(false);
    m_arrowKeyMonitor.reset();
    if (previous) {
        log(QStringLiteral("closePopupWithoutPaste: yielding activation to %1")
                .arg(nameOrQuestionMark(*previous)));
        m_workspace.yieldActivation(*previous);
        m_workspace.activate(*previous);
    }
    m_previousFrontmostApp.reset();
}

void PopupSession::removeItemFromHistory(qsizetype index) {
    if (index < 0 || index >= m_history.items().size()) {
        return;
    }
    m_history.removeItem(index);
    const qsizetype n = m_history.items().size();
    if (n == 0) {
        end();
        return;
    }
    if (index < m_selectedIndex) {
        setSelectedIndex(m_selectedIndex - 1);
    } else if (m_selectedIndex >= n) {
        setSelectedIndex(n - 1);
    }
}

void PopupSession::deleteSelectedItem() {
    removeItemFromHistory(m_selectedIndex);
}

void PopupSession::togglePinned(qsizetype index) {
    if (index < 0 || index >= m_history.items().size()) {
        return;
    }
    const QUuid id = m_history.items().at(index).id();
    m_history.togglePinned(index);
    const QList<ClipboardItem>& items = m_history.items();
    for (qsizetype row = 0; row < items.size(); ++row) {
        if (items.at(row).id() == id) {
            setSelectedIndex(row);
        }
    }
}

void PopupSession::pasteItemAndClose(qsizetype index, ClipboardHistory::RestoreAs as) {
    const qsizetype count = m_history.items().size();
    if (index < 0 || index >= count) {
        log(QStringLiteral("pasteItemAndClose: invalid index=%1 count=%2").arg(index).arg(count));
        return;
    }
    if constexpr (AppEnvironment::isLoggingEnabled) {
        const QString preview =
            leadingCharacters(m_history.items().at(index).previewText(), logPreviewLength);
        log(QStringLiteral("pasteItemAndClose: setting pasteboard to item[%1] \"%2…\"")
                .arg(index)
                .arg(preview));
    }
    if (!m_history.restoreToClipboard(index, as)) {
        // Its row now says why; typing the paste would put whatever the clipboard holds.
        return;
    }
    const std::optional<RunningApp> target = m_previousFrontmostApp;
    end();
    m_deliver(target);
}
