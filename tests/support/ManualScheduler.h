// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QTimeZone>

#include <algorithm>
#include <deque>
#include <tuple>

#include "core/Scheduler.h"

// Virtual time for deterministic tests: nothing runs until the test advances the clock or
// drains the queues. Background tasks run on the test thread, in order, when drained.
class ManualScheduler final : public Scheduler {
  public:
    void post(Task task) override { m_main.push_back(std::move(task)); }
    void postDelayed(int delayMs, Task task) override { add(std::max(0, delayMs), 0, task); }
    TimerId startRepeating(int intervalMs, Task task) override {
        return add(std::max(1, intervalMs), std::max(1, intervalMs), task);
    }
    void cancelTimer(TimerId id) override {
        m_timed.removeIf([id](const Timed& t) { return t.interval > 0 && t.id == id; });
    }
    void runInBackground(Task task) override { m_background.push_back(std::move(task)); }
    QDateTime now() const override {
        return QDateTime(QDate(2026, 1, 1), QTime(12, 0), QTimeZone::utc()).addMSecs(m_nowMs);
    }
    qint64 monotonicMs() const override { return m_nowMs; }

    // Runs posted main tasks, background tasks and whatever is due until nothing is left,
    // without moving the clock.
    void runUntilIdle() {
        while (runFront(m_main) || (!m_backgroundHeld && runFront(m_background)) || runOneDue()) {
        }
    }
    // While held, background tasks wait, as behind a long one, however the clock moves.
    void holdBackground(bool held) { m_backgroundHeld = held; }
    // Moves the clock forward, running everything that falls due on the way, in time order.
    void advance(qint64 ms) {
        const qint64 target = m_nowMs + std::max<qint64>(0, ms);
        for (runUntilIdle(); !m_timed.isEmpty() && earliest()->due < target; runUntilIdle()) {
            m_nowMs = std::max(m_nowMs, earliest()->due);
        }
        m_nowMs = target;
        runUntilIdle();
    }
    // Delayed tasks and repeating timers not yet run or cancelled: what would wake an idle
    // process.
    qsizetype pendingTimers() const { return m_timed.size(); }
    // Runs only the background tasks, as a worker thread might while the main one is busy.
    void runBackgroundOnly() {
        while (runFront(m_background)) {
        }
    }

  private:
    struct Timed {
        qint64 due;
        qint64 interval;  // 0: runs once
        TimerId id;       // also the order of equal due times
        Task task;
    };
    TimerId add(qint64 delay, qint64 interval, const Task& task) {
        m_timed.append({m_nowMs + delay, interval, m_nextId, task});
        return m_nextId++;
    }
    // At the same time, one-off tasks run before timers, each kind in the order it came.
    QList<Timed>::iterator earliest() {
        return std::min_element(m_timed.begin(), m_timed.end(), [](auto& a, auto& b) {
            return std::tuple(a.due, a.interval > 0, a.id) <
                   std::tuple(b.due, b.interval > 0, b.id);
        });
    }
    static bool runFront(std::deque<Task>& queue) {
        if (queue.empty()) {
            return false;
        }
        Task task = std::move(queue.front());
        queue.pop_front();
        task();
        return true;
    }
    bool runOneDue() {
        const auto first = earliest();
        if (first == m_timed.end() || first->due > m_nowMs) {
            return false;
        }
        Task task = first->task;  // the task may cancel its own timer
        if (first->interval > 0) {
            first->due += first->interval;
        } else {
            m_timed.erase(first);
        }
        task();
        return true;
    }

    qint64 m_nowMs = 0;
    bool m_backgroundHeld = false;
    TimerId m_nextId = 1;
    std::deque<Task> m_main, m_background;
    QList<Timed> m_timed;
};
