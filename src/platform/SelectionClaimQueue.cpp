// SPDX-License-Identifier: MIT
#include "platform/SelectionClaimQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <tuple>
#include <utility>

SelectionClaimQueue::SelectionClaimQueue() : m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

SelectionClaimQueue::~SelectionClaimQueue() {
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
    }
}

void SelectionClaimQueue::claim(StoredItem content, bool onlyIfStillEmpty) {
    {
        std::lock_guard lock(m_mutex);
        m_claims.append({std::move(content), onlyIfStillEmpty});
    }
    wake();
}

void SelectionClaimQueue::claimPrimary() {
    {
        std::lock_guard lock(m_mutex);
        ++m_primaryClaims;
    }
    wake();
}

void SelectionClaimQueue::wake() {
    const quint64 one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
}

void SelectionClaimQueue::acknowledgeWake() {
    quint64 count = 0;
    [[maybe_unused]] const ssize_t got = ::read(m_wakeFd, &count, sizeof count);
}

SelectionClaimQueue::Batch SelectionClaimQueue::take() {
    std::lock_guard lock(m_mutex);
    Batch batch;
    batch.claims = m_claims.size();
    if (batch.claims > 0) {
        std::tie(batch.latest, batch.onlyIfStillEmpty) = m_claims.takeLast();
    }
    m_claims.clear();
    batch.primaryClaims = std::exchange(m_primaryClaims, 0);
    return batch;
}
