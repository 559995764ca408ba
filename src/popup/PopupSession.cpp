// SPDX-License-Identifier: MIT
#include "popup/PopupSession.h"

#include <QPointer>

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/AppLogger.h"
#include "core/GraphemeCut.h"
#include "history/ClipboardHistory.h"
#include "history/HistoryListModel.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

QString nameOrQuestionMark(const RunningApp& app) {
    return app.name.isEmpty() ? QStringLiteral("?") : app.name;
}

// The first characters as the user sees them, so an emoji is never cut in half in the log.
[[maybe_unused]] QString leadingCharacters(const QString& text, int count) {
    return text.left(graphemeCut(text, count).value_or(text.size()));
}

// Joiners, non-joiners and the like are typed as part of words (a Persian keyboard's ZWNJ, an
// emoji sequence) and kept in the records, so the filter keeps them too.
bool isFormat(QChar c) {
    return c.category() == QChar::Other_Format;
}

// Text that goes into the filter: printable, nothing that edits or moves.
bool isTypedText(const QString& text) {
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.isPrint() || c.isSurrogate() || isFormat(c);
    });
}

// A modifier that makes a key a command rather than text.
bool holdsCommand(const KeyEvent& event) {
    return (event.modifiers & (ModifierFlag::Control | ModifierFlag::Alt | ModifierFlag::Super)) !=
           0;
}

bool isSeen(QChar c) {
    return !c.isSpace() && !isFormat(c);
}

// 0 for Alt+1 … 8 for Alt+9; nothing for any other key.
std::optional<int> numberedRow(const KeyEvent& event) {
    if ((event.modifiers & (ModifierFlag::Alt | ModifierFlag::Control | ModifierFlag::Super)) !=
        ModifierFlag::Alt) {
        return std::nullopt;
    }
    const auto* digit =
        std::find(std::begin(KeyCode::Digits), std::end(KeyCode::Digits), event.typedKey());
    if (digit == std::end(KeyCode::Digits)) {
        return std::nullopt;
    }
    return int(digit - std::begin(KeyCode::Digits));
}

}  // namespace

PopupSession::PopupSession(KeyboardHooks& hooks, WindowTracker& windowTracker,
                           ClipboardHistory& history, HistoryListModel& model, Deliver deliver,
                           QObject* parent)
    : QObject(parent),
      m_hooks(hooks),
      m_windowTracker(windowTracker),
      m_history(history),
      m_filter(model),
      m_deliver(std::move(deliver)) {
    // Rows come and go under the selection while the popup is open (a copy made meanwhile, a
    // record removed, the filter): the selection stays on its record, not on its row number.
    for (const auto before :
         {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved}) {
        connect(&m_filter, before, this, &PopupSession::holdSelectedRecord);
    }
    for (const auto after : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(&m_filter, after, this, &PopupSession::followSelectedRecord);
    }
    connect(&m_filter, &QAbstractItemModel::rowsAboutToBeMoved, this,
            &PopupSession::holdSelectedRecord);
    connect(&m_filter, &QAbstractItemModel::rowsMoved, this, &PopupSession::followSelectedRecord);
    connect(&m_filter, &QAbstractItemModel::layoutAboutToBeChanged, this,
            &PopupSession::holdSelectedRecord);
    connect(&m_filter, &QAbstractItemModel::layoutChanged, this,
            &PopupSession::followSelectedRecord);
    connect(&m_filter, &QAbstractItemModel::modelAboutToBeReset, this,
            &PopupSession::holdSelectedRecord);
    connect(&m_filter, &QAbstractItemModel::modelReset, this, &PopupSession::followSelectedRecord);
}

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

QUuid PopupSession::recordIdAt(qsizetype row) const {
    return row < 0 || row >= rowCount()
               ? QUuid()
               : m_filter.index(int(row), 0).data(HistoryListModel::RecordIdRole).toUuid();
}

void PopupSession::holdSelectedRecord() {
    if (m_isPopupVisible && m_heldRecord.isNull()) {
        m_heldRecord = recordIdAt(m_selectedIndex);
    }
}

void PopupSession::followSelectedRecord() {
    const QUuid held = std::exchange(m_heldRecord, QUuid());
    if (!m_isPopupVisible) {
        return;
    }
    const qsizetype n = rowCount();
    if (!held.isNull()) {
        for (qsizetype row = 0; row < n; ++row) {
            if (recordIdAt(row) == held) {
                setSelectedIndex(row);
                return;
            }
        }
    }
    // The record itself went: the one that took its row, or the last.
    setSelectedIndex(std::clamp<qsizetype>(m_selectedIndex, 0, std::max<qsizetype>(0, n - 1)));
}

qsizetype PopupSession::historyIndex(qsizetype row) const {
    if (row < 0 || row >= rowCount()) {
        return -1;
    }
    // By the record, not by the row number: the list model follows the history within the same
    // change, but the record is what was chosen.
    const QUuid id = recordIdAt(row);
    const QList<ClipboardItem>& items = m_history.items();
    for (qsizetype index = 0; index < items.size(); ++index) {
        if (items.at(index).id() == id) {
            return index;
        }
    }
    return -1;
}

void PopupSession::setQuery(const QString& query) {
    m_filter.setQuery(query);
    // The first match is the one Return pastes; the view scrolls to it even when the number is
    // the same.
    m_selectedIndex = 0;
    Q_EMIT selectedIndexChanged(0);
}

void PopupSession::toggle() {
    if (m_isPopupVisible) {
        log(QStringLiteral("KeyDown: popup already shown, closing it"));
        closePopupWithoutPaste();
        return;
    }
    m_previousFrontmostApp = m_windowTracker.frontmostApplication();
    const QString name = m_previousFrontmostApp && !m_previousFrontmostApp->name.isEmpty()
                             ? m_previousFrontmostApp->name
                             : QStringLiteral("nil");
    log(QStringLiteral("KeyDown: showing popup, previousFrontmost=%1 items=%2")
            .arg(name)
            .arg(m_history.items().size()));
    m_filter.setQuery(QString());
    m_typedSinceShown = false;
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
    const bool filtering = !query().isEmpty();
    if (const std::optional<int> row = numberedRow(event)) {
        pasteItemAndClose(*row);
        return true;
    }
    switch (event.typedKey()) {
        case KeyCode::Return:
        case KeyCode::KeypadEnter:
            pasteItemAndClose(m_selectedIndex, shift ? ClipboardHistory::RestoreAs::PlainText
                                                     : ClipboardHistory::RestoreAs::Copied);
            return true;
        case KeyCode::P:
            if ((event.modifiers & ModifierFlag::Control) == 0) {
                return handleTyping(event);
            }
            togglePinned(m_selectedIndex);
            return true;
        case KeyCode::Backspace:
            if (filtering) {
                // Backspace edits what was typed; a whole character goes, even outside the BMP.
                QString edited = query();
                edited.chop(edited.size() >= 2 && edited.back().isLowSurrogate() ? 2 : 1);
                setQuery(edited);
            } else if (!m_typedSinceShown) {
                // Once a filter was typed, Backspace held or pressed once too often while
                // erasing it must not go on to delete records.
                deleteSelectedItem();
            }
            return true;
        case KeyCode::Delete:
            deleteSelectedItem();
            return true;
        case KeyCode::Escape:
            if (filtering) {
                setQuery(QString());
            } else {
                closePopupWithoutPaste();
            }
            return true;
        case KeyCode::Down:
            selectNext();
            return true;
        case KeyCode::Up:
            selectPrevious();
            return true;
        case KeyCode::PageDown:
        case KeyCode::PageUp:
        case KeyCode::Home:
        case KeyCode::End: {
            // The search line has no caret, so Home and End move in the list, with or without
            // Ctrl; a page stops at either end instead of wrapping round.
            const qsizetype last = rowCount() - 1;
            if (last < 0) {
                return true;
            }
            const quint16 key = event.typedKey();
            const qsizetype target = key == KeyCode::Home  ? 0
                                     : key == KeyCode::End ? last
                                     : key == KeyCode::PageDown
                                         ? std::min(last, m_selectedIndex + m_pageRows)
                                         : std::max<qsizetype>(0, m_selectedIndex - m_pageRows);
            setSelectedIndex(target);
            return true;
        }
        default:
            return handleTyping(event);
    }
}

bool PopupSession::handleTyping(const KeyEvent& event) {
    return !holdsCommand(event) && typeText(event.text);
}

bool PopupSession::typeText(const QString& text) {
    // A space starts nothing: the first word begins with a character that is seen.
    if (!m_isPopupVisible || !isTypedText(text) ||
        (query().isEmpty() && std::none_of(text.cbegin(), text.cend(), isSeen))) {
        return false;
    }
    m_typedSinceShown = true;
    // Past what counts the text is taken and changes nothing: the search line shows the end.
    if (query().size() < HistoryFilterModel::maxQueryLength) {
        setQuery(query() + text);
    }
    return true;
}

void PopupSession::selectNext() {
    const qsizetype n = rowCount();
    if (n == 0) {
        return;
    }
    setSelectedIndex((m_selectedIndex + 1) % n);
}

void PopupSession::selectPrevious() {
    const qsizetype n = rowCount();
    if (n == 0) {
        return;
    }
    setSelectedIndex((m_selectedIndex + n - 1) % n);
}

void PopupSession::end() {
    setPopupVisible(false);
    m_filter.setQuery(QString());
    m_arrowKeyMonitor.reset();
    m_previousFrontmostApp.reset();
}

void PopupSession::closePopupWithoutPaste() {
    const std::optional<RunningApp> previous = m_previousFrontmostApp;
    setPopupVisible(false);
    m_filter.setQuery(QString());
    m_arrowKeyMonitor.reset();
    if (previous) {
        log(QStringLiteral("closePopupWithoutPaste: activating %1")
                .arg(nameOrQuestionMark(*previous)));
        m_windowTracker.activate(*previous);
    }
    m_previousFrontmostApp.reset();
}

void PopupSession::removeItemFromHistory(qsizetype row) {
    const qsizetype index = historyIndex(row);
    if (index < 0) {
        return;
    }
    // The selection follows its record, or the one that takes its row (see the constructor).
    m_history.removeItem(index);
    if (m_history.items().isEmpty()) {
        end();
    }
}

void PopupSession::deleteSelectedItem() {
    removeItemFromHistory(m_selectedIndex);
}

void PopupSession::togglePinned(qsizetype row) {
    const qsizetype index = historyIndex(row);
    if (index < 0) {
        return;
    }
    const QUuid id = m_history.items().at(index).id();
    m_history.togglePinned(index);
    for (qsizetype shown = 0; shown < rowCount(); ++shown) {
        if (recordIdAt(shown) == id) {
            setSelectedIndex(shown);
        }
    }
}

void PopupSession::pasteItemAndClose(qsizetype row, ClipboardHistory::RestoreAs as) {
    const qsizetype index = historyIndex(row);
    if (index < 0) {
        log(QStringLiteral("pasteItemAndClose: invalid row=%1 count=%2").arg(row).arg(rowCount()));
        return;
    }
    if constexpr (AppEnvironment::isLoggingEnabled) {
        const QString preview =
            leadingCharacters(m_history.items().at(index).previewText(), logPreviewLength);
        log(QStringLiteral("pasteItemAndClose: setting clipboard to item[%1] \"%2…\"")
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
