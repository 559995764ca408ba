// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QThreadPool>

#include "core/Scheduler.h"

class QTimer;

// Main-queue tasks through queued invocation, timers through QTimer, the background queue
// through a one-thread pool at low priority.
class QtScheduler final : public QObject, public Scheduler {
    Q_OBJECT
  public:
    explicit QtScheduler(QObject* parent = nullptr);
    ~QtScheduler() override;

    void post(Task task) override;
    void postDelayed(int delayMs, Task task) override;
    TimerId startRepeating(int intervalMs, Task task) override;
    void cancelTimer(TimerId id) override;
    void runInBackground(Task task) override;
    QDateTime now() const override;
    qint64 monotonicMs() const override;

    // Waits until the background queue is empty (shutdown, tests).
    void waitForBackground();

  private:
    QThreadPool m_pool;
    QHash<TimerId, QTimer*> m_timers;
    TimerId m_nextTimer = 1;
    QElapsedTimer m_clock;
};
