#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>

#include <deque>

#include "core/Scheduler.h"

// Virtual time for deterministic tests: nothing runs until the test advances the clock or
// drains the queues. Background tasks run on the test thread, in order, when drained.
class ManualScheduler final : public Scheduler {
  public:
    explicit ManualScheduler(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC));

    void post(Task task) override;
    void postDelayed(int delayMs, Task task) override;
    TimerId startRepeating(int intervalMs, Task task) override;
    void cancelTimer(TimerId id) override;
    void runInBackground(Task task) override;
    QDateTime now() const override;
    qint64 monotonicMs() const override { return m_nowMs; }

    // Runs posted main tasks and background tasks until both queues are empty, without moving
    // the clock. Timers and delayed tasks that are due run too.
    void runUntilIdle();
    // Moves the clock forward, running everything that falls due on the way, in time order.
    void advance(qint64 ms);

    // Delayed tasks and repeating timers not yet run or cancelled: what would wake an idle
    // process.
    qsizetype pendingTimers() const { return m_delayed.size() + m_repeating.size(); }

    // Runs only the background tasks, as a worker thread might while the main one is busy.
    void runBackgroundOnly();

  private:
    struct Delayed {
        qint64 due;
        quint64 seq;
        Task task;
    };
    struct Repeating {
        qint64 interval;
        qint64 nextDue;
        Task task;
    };
    bool runOneDue();

    QDateTime m_start;
    qint64 m_nowMs = 0;
    quint64 m_seq = 0;
    std::deque<Task> m_main;
    std::deque<Task> m_background;
    QList<Delayed> m_delayed;
    QMap<TimerId, Repeating> m_repeating;
    TimerId m_nextTimer = 1;
};
