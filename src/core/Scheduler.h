// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>

#include <functional>

// Main-queue tasks, timers and the one serial background queue. Tests use a virtual clock.
class Scheduler {
  public:
    using Task = std::function<void()>;
    using TimerId = quint64;  // 0 is never a valid timer

    virtual ~Scheduler() = default;

    // Runs the task on the main thread after the current work. Safe from any thread.
    virtual void post(Task task) = 0;
    // Runs the task on the main thread after the delay. Main thread only.
    virtual void postDelayed(int delayMs, Task task) = 0;
    // Runs the task every interval on the main thread until cancelled. Main thread only.
    virtual TimerId startRepeating(int intervalMs, Task task) = 0;
    virtual void cancelTimer(TimerId id) = 0;
    // Runs the task on the serial low-priority background queue, in submission order.
    virtual void runInBackground(Task task) = 0;

    // Wall-clock time, for record dates and ages. Any thread.
    virtual QDateTime now() const = 0;
    // Monotonic milliseconds, for measuring waits. Any thread.
    virtual qint64 monotonicMs() const = 0;
};
