// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <vector>

#include "TestHelpers.h"
#include "history/ClipboardHistory.h"
#include "platform/SelectionClipboard.h"
#include "platform/qt/QtScheduler.h"

// The text type Wayland clients ask for.
inline const QString kUtf8 = QStringLiteral("text/plain;charset=utf-8");

inline QByteArray randomBytes(qsizetype size, quint32 seed = 42) {
    std::vector<quint32> words((size + 3) / 4);
    QRandomGenerator(seed).fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), size);
}

inline QByteArray allByteValues() {
    QByteArray bytes(256, 0);
    std::iota(bytes.begin(), bytes.end(), char(0));
    return bytes;
}

// Until the selection is ours, a reader would still get the previous content.
inline bool confirmed(Clipboard& clipboard) {
    std::optional<bool> result;
    clipboard.whenWriteConfirmed([&result](bool ok) { result = ok; });
    [[maybe_unused]] const bool answered =
        QTest::qWaitFor([&result] { return result.has_value(); }, 5000);
    return result.value_or(false);
}

// The application's history on a real clipboard, wired as the application wires it.
struct ClipboardHistoryRig {
    explicit ClipboardHistoryRig(std::unique_ptr<SelectionClipboard> board)
        : owned(std::move(board)) {
        history.startMonitoring();
    }
    // Every copy detected so far is in the history.
    void settle() {
        QTest::qWait(2 * ClipboardHistory::pollIntervalMs);
        scheduler.waitForBackground();
        QCoreApplication::processEvents();
    }
    QTemporaryDir blobs;
    std::unique_ptr<SelectionClipboard> owned;
    SelectionClipboard& clipboard = *owned;
    QtScheduler scheduler;
    ClipboardHistory history{clipboard, scheduler, blobs.path(),
                             [] { return ClipboardHistory::Limits{}; }};
};

// The longest gap between ticks of a 1 ms main-thread timer, less the time the thread waited
// for a CPU, and the most CPU time the main thread spent in one: a wait shows in the first,
// work of its own in the second, and neither grows with the load of the machine.
struct StallMeter {
    static qint64 cpuMs(clockid_t clock = CLOCK_THREAD_CPUTIME_ID) {
        timespec now{};
        clock_gettime(clock, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    }
    // The kernel's count of the time this thread was runnable but not running.
    static qint64 queuedMs() {
        const QByteArray stat = readFile(QStringLiteral("/proc/thread-self/schedstat"));
        return stat.split(' ').value(1).toLongLong() / 1'000'000;
    }
    QTimer timer;
    QElapsedTimer clock;
    qint64 cpu = cpuMs(), queued = queuedMs(), longestMs = 0, longestCpuMs = 0;
    StallMeter() {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 queuedNow = queuedMs();
            longestMs = std::max(longestMs, clock.restart() - (queuedNow - queued));
            queued = queuedNow;
            longestCpuMs = std::max(longestCpuMs, cpuMs() - std::exchange(cpu, cpuMs()));
        });
        clock.start();
        timer.start(1);
    }
};
