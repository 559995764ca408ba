// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

#include <mutex>
#include <utility>

#include "platform/Clipboard.h"

// Our writes on their way from any thread to a selection thread, which an eventfd wakes: only
// the latest content of a batch is offered, but every claim counts, so a wait for an earlier
// write ends with the later one.
class SelectionClaimQueue {
  public:
    struct Batch {
        // How many clipboard claims, and the content of the latest.
        qsizetype claims = 0;
        StoredItem latest;
        // The latest claim is to be carried out only while nobody else has taken the selection
        // since it was left empty.
        bool onlyIfStillEmpty = false;
        quint64 primaryClaims = 0;
    };

    SelectionClaimQueue();
    ~SelectionClaimQueue();
    SelectionClaimQueue(const SelectionClaimQueue&) = delete;
    SelectionClaimQueue& operator=(const SelectionClaimQueue&) = delete;

    // False when no eventfd could be had.
    bool isValid() const { return m_wakeFd >= 0; }
    // Readable while a claim or a stop waits; the selection thread polls it.
    int wakeFd() const { return m_wakeFd; }

    // Any thread.
    void claim(StoredItem content, bool onlyIfStillEmpty);
    void claimPrimary();
    void wake();

    // The selection thread: empties the eventfd once poll found it readable.
    void acknowledgeWake();
    Batch take();
    // The claims carried out so far, counted on by the selection thread.
    quint64 carriedOut() const { return m_carriedOut; }
    void carryOut(quint64 claims) { m_carriedOut += claims; }

  private:
    int m_wakeFd = -1;
    quint64 m_carriedOut = 0;
    std::mutex m_mutex;
    QList<std::pair<StoredItem, bool>> m_claims;
    quint64 m_primaryClaims = 0;
};
