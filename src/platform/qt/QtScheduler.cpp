// SPDX-License-Identifier: MIT
#include "platform/qt/QtScheduler.h"

#include <QMetaObject>
#include <QThread>
#include <QTimer>

QtScheduler::QtScheduler(QObject* parent) : QObject(parent) {
    m_pool.setMaxThreadCount(1);
    m_pool.setThreadPriority(QThread::LowPriority);
    // An idle worker that expires wakes once more to end; parked, it sleeps until needed.
    m_pool.setExpiryTimeout(-1);
    m_clock.start();
}

QtScheduler::~QtScheduler() {
    m_pool.waitForDone();
}

void QtScheduler::post(Task task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void QtScheduler::postDelayed(int delayMs, Task task) {
    QTimer::singleShot(delayMs, Qt::PreciseTimer, this, std::move(task));
}

Scheduler::TimerId QtScheduler::startRepeating(int intervalMs, Task task) {
    auto* timer = new QTimer(this);
    timer->setInterval(intervalMs);
    // Coarse timers let the kernel batch our wake-ups with others': idle costs less.
    timer->setTimerType(Qt::CoarseTimer);
    connect(timer, &QTimer::timeout, this, std::move(task));
    timer->start();
    const TimerId id = m_nextTimer++;
    m_timers.insert(id, timer);
    return id;
}

void QtScheduler::cancelTimer(TimerId id) {
    if (QTimer* timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

void QtScheduler::runInBackground(Task task) {
    m_pool.start(std::move(task));
}

QDateTime QtScheduler::now() const {
    return QDateTime::currentDateTime();
}

qint64 QtScheduler::monotonicMs() const {
    return m_clock.elapsed();
}

void QtScheduler::waitForBackground() {
    m_pool.waitForDone();
}
