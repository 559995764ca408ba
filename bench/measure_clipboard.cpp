// SPDX-License-Identifier: MIT
// Clipboard ingest figures for tools/measure-clipboard: the longest main-thread gap while a
// 64 MB copy made by xclip is read, the time from starting xclip to changeCount() moving for
// 1 KB and 30 MB copies, and the history under a flood: another client setting the clipboard
// 1,000 times a second for 2 s, one copy amid it held 60 ms. Needs a display and xclip.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <tuple>
#include <vector>

#include "history/ClipboardHistory.h"
#include "history/HistoryListModel.h"
#include "platform/FileThumbnailer.h"
#include "platform/qt/QtScheduler.h"
#include "platform/x11/X11Clipboard.h"

namespace {

QByteArray randomBytes(qsizetype size) {
    std::vector<quint32> words((size + 3) / 4);
    QRandomGenerator(42).fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), size);
}

// xclip serving one target on CLIPBOARD from start() until it is killed.
class XclipCopy {
  public:
    XclipCopy(const QByteArray& target, const QByteArray& bytes) : m_target(target) {
        if (!m_file.open()) {
            qFatal("cannot make a temporary file: %s", qPrintable(m_file.errorString()));
        }
        m_file.write(bytes);
        m_file.flush();
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
    }
    ~XclipCopy() { kill(); }
    void start() {
        m_process.start("xclip", {"-quiet", "-selection", "clipboard", "-t", QString(m_target),
                                  "-i", m_file.fileName()});
        m_process.waitForStarted();
    }
    void kill() {
        m_process.kill();
        m_process.waitForFinished();
    }

  private:
    QByteArray m_target;
    QTemporaryFile m_file;
    QProcess m_process;
};

// Records the longest gap between ticks of a 1 ms main-thread timer, in wall time and in the
// main thread's own CPU time (a long wall gap with little CPU is the scheduler, not our code).
class StallMeter {
  public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
            const qint64 cpu = threadCpuUs();
            m_longestCpuUs = std::max(m_longestCpuUs, cpu - m_lastCpuUs);
            m_lastCpuUs = cpu;
            ++m_ticks;
        });
        m_lastCpuUs = threadCpuUs();
        m_clock.start();
        m_timer.start();
    }
    qint64 longestMs() const { return m_longest; }
    double longestCpuMs() const { return m_longestCpuUs / 1000.0; }
    int ticks() const { return m_ticks; }

  private:
    static qint64 threadCpuUs() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
    qint64 m_longestCpuUs = 0;
    qint64 m_lastCpuUs = 0;
    int m_ticks = 0;
};

qint64 waitForChange(X11Clipboard& clipboard, qint64 before) {
    QElapsedTimer clock;
    clock.start();
    while (clipboard.changeCount() == before && clock.elapsed() < 120000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return clock.elapsed();
}

double copyLatencyMs(X11Clipboard& clipboard, const QByteArray& bytes) {
    XclipCopy copy("application/x-measure", bytes);
    qint64 before = clipboard.changeCount();
    QElapsedTimer clock;
    clock.start();
    copy.start();
    waitForChange(clipboard, before);
    const double ms = clock.nsecsElapsed() / 1e6;
    const bool intact = clipboard.items().value(0).value("application/x-measure") == bytes;
    // Start the next run from an empty clipboard.
    before = clipboard.changeCount();
    copy.kill();
    waitForChange(clipboard, before);
    if (!intact) {
        std::printf("content mismatch\n");
        return -1;
    }
    return ms;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void reportStall(const char* label, qint64 elapsedMs, qint64 wallMs, double cpuMs, int ticks) {
    std::printf("%s: %lld ms, longest main-thread gap %lld ms wall / %.2f ms on CPU (%d ticks)\n",
                label, static_cast<long long>(elapsedMs), static_cast<long long>(wallMs), cpuMs,
                ticks);
}

class NoThumbnails final : public FileThumbnailer {
  public:
    void request(const QString&, QSize, qreal, Callback callback) override {
        callback(std::nullopt);
    }
};

// The history and its list model, as the application wires them, while another client floods
// the clipboard: the main thread's longest gap is how long a chord or a popup key would wait.
void measureFlood() {
    X11Clipboard clipboard;
    X11Clipboard flooder;  // another client's connection
    QtScheduler scheduler;
    NoThumbnails thumbnails;
    ClipboardHistory history(clipboard, scheduler, {}, [] { return ClipboardHistory::Limits{}; });
    HistoryListModel model(history, scheduler, thumbnails);
    history.startMonitoring();
    int changes = 0;
    bool held = false;  // ever the newest record: later ones push it past the limit
    QObject::connect(&history, &ClipboardHistory::itemsChanged, [&] {
        ++changes;
        held = held || (!history.items().isEmpty() &&
                        history.items().first().previewText() == QStringLiteral("held"));
    });
    StallMeter meter;
    QElapsedTimer clock;
    clock.start();
    int copies = 0;
    QString last;
    qint64 heldMs = 0;
    while (copies < 2000) {
        // One copy per millisecond, in step with the clock; the 1,000th stays 60 ms.
        while (copies < clock.elapsed() - heldMs && copies < 2000) {
            last = QStringLiteral("flood %1").arg(++copies);
            flooder.setString(copies == 1000 ? QStringLiteral("held") : last);
            if (copies == 1000) {
                QElapsedTimer holding;
                holding.start();
                while (holding.elapsed() < 60) {
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                }
                heldMs += holding.elapsed();
            }
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    const qint64 wallMs = meter.longestMs();
    const double cpuMs = meter.longestCpuMs();
    // Time for the last reads and records to land.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 2000 &&
           (history.items().isEmpty() || history.items().first().previewText() != last)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const bool newest = !history.items().isEmpty() && history.items().first().previewText() == last;
    std::printf(
        "flood, 1,000 copies a second for 2 s: longest main-thread gap %lld ms wall / %.2f ms on "
        "CPU; %d copies, %d records built, newest recorded %s (after %lld ms), the copy held "
        "60 ms recorded %s\n",
        static_cast<long long>(wallMs), cpuMs, copies, changes, newest ? "yes" : "NO",
        static_cast<long long>(settle.elapsed()), held ? "yes" : "NO");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    X11Clipboard clipboard;
    if (!clipboard.isConnected()) {
        std::printf("no display\n");
        return 1;
    }
    for (int run = 0; run < 3; ++run) {
        measureFlood();
    }
    const QByteArray big = randomBytes(64 * 1024 * 1024);
    for (int run = 0; run < 3; ++run) {
        {
            // The same span with nothing to read: the machine's own noise.
            StallMeter idle;
            QEventLoop loop;
            QTimer::singleShot(1000, &loop, &QEventLoop::quit);
            loop.exec();
            reportStall("idle, no copy   ", 1000, idle.longestMs(), idle.longestCpuMs(),
                        idle.ticks());
        }
        XclipCopy copy("application/x-measure", big);
        qint64 before = clipboard.changeCount();
        QElapsedTimer clock;
        clock.start();
        // Forking xclip from a process this large is the harness's cost, so the meter starts after.
        copy.start();
        auto meter = std::make_unique<StallMeter>();
        waitForChange(clipboard, before);
        const qint64 total = clock.elapsed();
        // Let the hand-over finish inside the measured span, then stop before comparing.
        QCoreApplication::processEvents();
        const qint64 wallMs = meter->longestMs();
        const double cpuMs = meter->longestCpuMs();
        const int ticks = meter->ticks();
        meter.reset();
        const bool intact = clipboard.items().value(0).value("application/x-measure") == big;
        reportStall(intact ? "64 MB copy read " : "64 MB copy CORRUPT", total, wallMs, cpuMs,
                    ticks);
        before = clipboard.changeCount();
        copy.kill();
        waitForChange(clipboard, before);
    }
    for (const auto& [label, size, runs] :
         {std::tuple{"1 KB", 1024, 9}, std::tuple{"30 MB", 30 * 1024 * 1024, 3}}) {
        std::vector<double> samples;
        const QByteArray bytes = randomBytes(size);
        for (int i = 0; i < runs; ++i) {
            samples.push_back(copyLatencyMs(clipboard, bytes));
        }
        std::printf(
            "%s copy: xclip started -> changeCount moved: median %.1f ms (min %.1f, max %.1f, %d "
            "runs)\n",
            label, median(samples), *std::min_element(samples.begin(), samples.end()),
            *std::max_element(samples.begin(), samples.end()), runs);
    }
    return 0;
}
