// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <chrono>
#include <memory>

#include "ClipboardClients.h"
#include "platform/SelectionClipboard.h"

// What every desktop selection must do as the history's clipboard, checked against the real
// one with other clients' tools. A backend's test derives from this and adds its own cases.
class ClipboardContract : public QObject {
    Q_OBJECT
  protected:
    virtual std::unique_ptr<SelectionClipboard> board(
        const QString& display = {},
        std::chrono::milliseconds timeout = std::chrono::seconds(1)) = 0;
    // What another client gets when it pastes `type` now.
    virtual QByteArray paste(const QString& type, bool primary = false) = 0;
    // The types another client is offered, sorted, without the selection protocol's own.
    virtual QStringList offeredTypes() = 0;
    // Another client copying `bytes` as `type`, holding the selection until it is killed.
    virtual std::unique_ptr<ForeignCopy> copy(const QString& type, const QByteArray& bytes) = 0;
    // Whether clients ask for text by MIME type only, so text goes under those names too.
    virtual bool namesTextByMime() const = 0;
    // Leaves the clipboard without content, where other clients can do that.
    virtual void clear() {}

  private Q_SLOTS:
    // Every case starts from an empty clipboard, so its first change is its own copy.
    void init() { clear(); }
    void servesOwnWritesUnderEveryName_data();
    void servesOwnWritesUnderEveryName();
    void readsOtherClientsByteForByte();
    void historyTakesLargeCopiesAndKeepsTheClipboard();
    void historyRecordsEveryCopyOfABurst();
    void copyMadeAsTheOwnerLeavesIsNotOverwritten();
    void hungOwnerIsGivenUpAndOurWriteWins();
};
