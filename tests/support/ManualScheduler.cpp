#include "ManualScheduler.h"

#include <algorithm>

ManualScheduler::ManualScheduler(QDateTime start) : m_start(std::move(start)) {}

void ManualScheduler::post(Task task) {
    m_main.push_back(std::move(task));
}

void ManualScheduler::postDelayed(int delayMs, Task task) {
    m_delayed.append({m_nowMs + std::max(0, delayMs), m_seq++, std::move(task)});
}

Scheduler::TimerId ManualScheduler::startRepeating(int intervalMs, Task task) {
    const TimerId id = m_nextTimer++;
    const qint64 interval = std::max(1, intervalMs);
    m_repeating.insert(id, {interval, m_nowMs + interval, std::move(task)});
    return id;
}

void ManualScheduler::cancelTimer(TimerId id) {
    m_repeating.remove(id);
}

void ManualScheduler::runInBackground(Task task) {
    m_background.push_back(std::move(task));
}

QDateTime ManualScheduler::now() const {
    return m_start.addMSecs(m_nowMs);
}

// Runs the earliest due delayed task or timer; false when nothing is due at the current time.
bool ManualScheduler::runOneDue() {
    int delayedIndex = -1;
    for (int i = 0; i < m_delayed.size(); ++i) {
        const Delayed& d = m_delayed[i];
        if (d.due > m_nowMs) {
            continue;
        }
        if (delayedIndex < 0 || d.due < m_delayed[delayedIndex].due ||
            (d.due == m_delayed[delayedIndex].due && d.seq < m_delayed[delayedIndex].seq)) {
            delayedIndex = i;
        }
    }
    TimerId timerId = 0;
    for (auto it = m_repeating.cbegin(); it != m_repeating.cend(); ++it) {
        if (it->nextDue <= m_nowMs &&
            (timerId == 0 || it->nextDue < m_repeating.value(timerId).nextDue)) {
            timerId = it.key();
        }
    }
    const bool timerFirst =
        timerId != 0 &&
        (delayedIndex < 0 || m_repeating.value(timerId).nextDue < m_delayed[delayedIndex].due);
    if (timerFirst) {
        Repeating& r = m_repeating[timerId];
        r.nextDue += r.interval;
        Task copy = r.task;  // the task may cancel its own timer
        copy();
        return true;
    }
    if (delayedIndex >= 0) {
        Task task = std::move(m_delayed[delayedIndex].task);
        m_delayed.removeAt(delayedIndex);
        task();
        return true;
    }
    return false;
}

namespace {
bool runFront(std::deque<Scheduler::Task>& queue) {
    if (queue.empty()) {
        return false;
    }
    Scheduler::Task task = std::move(queue.front());
    queue.pop_front();
    task();
    return true;
}
}  // namespace

void ManualScheduler::runUntilIdle() {
    while (runFront(m_main) || runFront(m_background) || runOneDue()) {
    }
}

void ManualScheduler::advance(qint64 ms) {
    const qint64 target = m_nowMs + std::max<qint64>(0, ms);
    runUntilIdle();
    for (;;) {
        qint64 next = target + 1;
        for (const Delayed& d : m_delayed) {
            next = std::min(next, d.due);
        }
        for (const Repeating& r : m_repeating) {
            next = std::min(next, r.nextDue);
        }
        if (next > target) {
            break;
        }
        m_nowMs = std::max(m_nowMs, next);
        runUntilIdle();
    }
    m_nowMs = target;
    runUntilIdle();
}

void ManualScheduler::runBackgroundOnly() {
    while (runFront(m_background)) {
    }
}
