#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "history/ClipboardHistory.h"
#include "platform/qt/QtScheduler.h"

// The application's history on a real clipboard, wired as the application wires it.
template <class Board>
struct PasteboardHistoryRig {
    template <class... BoardArguments>
    explicit PasteboardHistoryRig(BoardArguments&&... arguments)
        : pasteboard(std::forward<BoardArguments>(arguments)...) {
        history.startMonitoring();
    }
    // Every copy detected so far is in the history.
    void settle() {
        QTest::qWait(2 * ClipboardHistory::pollIntervalMs);
        scheduler.waitForBackground();
        QCoreApplication::processEvents();
    }
    QTemporaryDir blobs;
    Board pasteboard;
    QtScheduler scheduler;
    ClipboardHistory history{pasteboard, scheduler, blobs.path(),
                             [] { return ClipboardHistory::Limits{}; }};
};

// The longest gap between ticks of a 1 ms main-thread timer.
struct StallMeter {
    QTimer timer;
    QElapsedTimer clock;
    qint64 longestMs = 0;
    int ticks = 0;
    StallMeter() {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            longestMs = std::max(longestMs, clock.restart());
            ++ticks;
        });
        clock.start();
        timer.start(1);
    }
};
