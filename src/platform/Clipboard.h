// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// One clipboard item: type identifier -> bytes. The order of the types carries no meaning.
using StoredItem = QMap<QString, QByteArray>;
// The full content of one copy, one stored item per clipboard item, in order.
using ClipboardSnapshot = QList<StoredItem>;

// The bytes held by every buffer of a snapshot.
inline qint64 byteCount(const ClipboardSnapshot& snapshot) {
    qint64 total = 0;
    for (const StoredItem& item : snapshot) {
        for (const QByteArray& bytes : item) {
            total += bytes.size();
        }
    }
    return total;
}

// The system clipboard as the history sees it. Main thread only; no call waits for another
// application.
class Clipboard {
  public:
    virtual ~Clipboard() = default;

    // Increases whenever the content is replaced, by anyone, this process included.
    virtual qint64 changeCount() const = 0;
    // The current content; empty when there is none. A type whose bytes could not be had is
    // absent or maps to an empty buffer.
    virtual ClipboardSnapshot items() const = 0;
    // Clears the clipboard and makes this process its owner.
    virtual void prepareForNewContents() = 0;
    // Replaces the content with these items, each offered with all its types byte for byte.
    virtual bool writeItems(const ClipboardSnapshot& items) = 0;
    // Replaces the content with these files, in order.
    virtual bool writeFileUrls(const QList<QUrl>& urls) = 0;
    // Clears the clipboard and offers this text as plain text.
    virtual void setString(const QString& text) = 0;
    // The current plain text, if any.
    virtual std::optional<QString> string() const = 0;
    // The caller has taken what it needs of the current content: an adapter that keeps a copy
    // may free its large buffers, after which items() may answer empty until the next change.
    virtual void releaseContent() {}
    // Calls `done` on the main thread once the latest write is what other applications get
    // (true), or once it cannot be (false: lost to another owner, or not carried out in time).
    // Inside the call when nothing is pending. A clipboard whose writes take effect at once has
    // nothing to wait for.
    virtual void whenWriteConfirmed(std::function<void(bool confirmed)> done) { done(true); }
    // Called on the main thread when the clipboard's owner went away and left it without one,
    // before that is counted as a change: items() and changeCount() still describe what was
    // offered last, and a write inside the call keeps the clipboard from going empty at all.
    // An empty function stops the calls. A clipboard whose owner never leaves never calls it.
    virtual void setOwnerLostHandler(std::function<void()> handler) { (void)handler; }
    // Offers the latest write also as the primary selection, which some terminals paste; the
    // next whenWriteConfirmed answers once both are in force. Nothing where there is none.
    virtual void offerLatestWriteAsPrimary() {}
    // True when setChangeHandler() is honoured; a clipboard that cannot tell must be polled.
    virtual bool notifiesChanges() const { return false; }
    // Called on the main thread, after the fact, whenever changeCount() moved: writes of this
    // process included. Replaces any earlier handler; an empty one unsubscribes.
    virtual void setChangeHandler(std::function<void()> handler) { (void)handler; }

    // Others that follow the same changes (the guide's copy check) are called after the change
    // handler, in the order they came; only where notifiesChanges(). The id removes it again.
    quint64 addChangeObserver(std::function<void()> observer) {
        m_observers.insert(++m_lastObserver, std::move(observer));
        return m_lastObserver;
    }
    void removeChangeObserver(quint64 id) { m_observers.remove(id); }

  protected:
    void notifyChangeObservers() {
        // A copy: an observer may remove itself, or another, from its call.
        const QMap<quint64, std::function<void()>> observers = m_observers;
        for (auto it = observers.cbegin(); it != observers.cend(); ++it) {
            if (m_observers.contains(it.key())) {
                it.value()();
            }
        }
    }

  private:
    QMap<quint64, std::function<void()>> m_observers;
    quint64 m_lastObserver = 0;
};
