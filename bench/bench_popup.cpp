// SPDX-License-Identifier: MIT
// A 1 KB copy reaching the popup's list: the insert, the model's row signals, and the list
// view's layout through its delegate, with the popup never shown, shown once and hidden again,
// and on screen. And 8,000 characters typed into the shown popup's filter one key at a time (a
// held key, an auto-typer), with the longest the main thread was busy with one of them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>

#include "BenchRig.h"
#include "WidgetBenchMain.h"
#include "history/HistoryFilterModel.h"
#include "history/HistoryListModel.h"
#include "platform/KeyboardHooks.h"
#include "platform/WindowTracker.h"
#include "popup/PopupSession.h"
#include "settings/AppSettings.h"
#include "ui/popup/PastePopupView.h"

namespace {

// A history of `records` at most, its one list model and the settings a popup view reads.
struct PopupRig {
    explicit PopupRig(qint64 records)
        : history(clipboard, scheduler, dir.path(), [records] {
              return ClipboardHistory::Limits{records, 0};
          }) {}
    QTemporaryDir dir;
    BenchClipboard clipboard;
    StepScheduler scheduler;
    NoThumbnailer thumbnailer;
    ClipboardHistory history;
    HistoryListModel model{history, scheduler, thumbnailer};
    MemoryStore store;
    NoAutostart autostart;
    AppSettings settings{store, autostart, {}};
};

enum Popup { NeverShown, ShownOnce, OnScreen };

// Args: records held; 0 never shown, 1 shown once and hidden, 2 on screen.
void BM_Copy1KBToPopup(benchmark::State& state) {
    const qint64 records = state.range(0);
    const auto popup = Popup(state.range(1));
    PopupRig rig(records);
    auto& [dir, clipboard, scheduler, thumbnailer, history, model, store, autostart, settings] =
        rig;
    HistoryFilterModel filter(model);
    PastePopupView view(filter, settings);
    history.startMonitoring();
    int serial = 0;
    const auto copyNext = [&] {
        QByteArray text = QByteArray::number(serial++) + ' ';
        text += QByteArray(1024 - text.size(), 't');
        clipboard.copy({{{"UTF8_STRING", text}}});
        scheduler.m_poll();
        StepScheduler::drain(scheduler.m_background);
    };
    for (qint64 i = 0; i < records; ++i) {
        copyNext();
        StepScheduler::drain(scheduler.m_main);
    }
    QCoreApplication::processEvents();
    if (popup != NeverShown) {
        view.show();
        QCoreApplication::processEvents();
        if (popup == ShownOnce) {
            view.hide();
            QCoreApplication::processEvents();
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        copyNext();
        state.ResumeTiming();
        StepScheduler::drain(scheduler.m_main);
        // The list's deferred layout, and its painting while on screen.
        QCoreApplication::processEvents();
    }
    state.counters["records"] = double(model.rowCount());
}
BENCHMARK(BM_Copy1KBToPopup)
    ->ArgsProduct({{5, 500}, {NeverShown, ShownOnce, OnScreen}})
    ->ArgNames({"records", "popup"})
    ->Unit(benchmark::kMicrosecond);

// Hands the popup's key filter to the benchmark, which types through it.
class TypingHooks final : public KeyboardHooks {
  public:
    std::unique_ptr<HookHandle> interceptChord(quint16, quint64, KeyHandler,
                                               ChordRefusal*) override {
        return std::make_unique<HookHandle>();
    }
    std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler) override {
        return std::make_unique<HookHandle>();
    }
    std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) override {
        m_filter = std::move(filter);
        return std::make_unique<HookHandle>();
    }
    KeyFilter m_filter;
};

class EditorWindowTracker final : public WindowTracker {
  public:
    std::optional<RunningApp> frontmostApplication() const override {
        return RunningApp{4242, QStringLiteral("editor")};
    }
    void activate(const RunningApp&) override {}
    qint64 currentProcessId() const override { return 1; }
};

enum Typed { Prose, HeldKey };

// Args: records held (1 KB of words each); 0 prose that keeps matching, 1 one key held. One
// iteration types 8,000 characters; every keystroke is handled and painted before the next.
void BM_TypeIntoPopup(benchmark::State& state) {
    const qint64 records = state.range(0);
    PopupRig rig(records);
    auto& [dir, clipboard, scheduler, thumbnailer, history, model, store, autostart, settings] =
        rig;
    TypingHooks hooks;
    EditorWindowTracker windowTracker;
    PopupSession session(hooks, windowTracker, history, model,
                         [](const std::optional<RunningApp>&) {});
    PastePopupView view(session.filterModel(), settings);
    QObject::connect(&session, &PopupSession::selectedIndexChanged, &view,
                     &PastePopupView::setSelectedRow);
    history.startMonitoring();
    const QString prose = QStringLiteral("lorem ipsum dolor sit amet paste copy stack queue ");
    for (qint64 i = 0; i < records; ++i) {
        QString text = QString::number(i) + u' ';
        while (text.size() < 1024) {
            text += prose;
        }
        clipboard.copy({{{"UTF8_STRING", text.toUtf8()}}});
        scheduler.m_poll();
        StepScheduler::drain(scheduler.m_background);
        StepScheduler::drain(scheduler.m_main);
    }
    QString typed;
    while (typed.size() < 8000) {
        typed += state.range(1) == HeldKey ? QStringLiteral("a") : prose;
    }
    typed.truncate(8000);
    qint64 longestNs = 0;
    qsizetype longestAt = 0;
    // The first key also shows the search line, which lays the list out again.
    qint64 longestAfterFirstNs = 0;
    qsizetype kept = 0;
    for (auto _ : state) {
        session.toggle();
        view.show();
        // As long as a user takes to start typing: the list's layout is done by then.
        QElapsedTimer settling;
        settling.start();
        while (settling.elapsed() < 200) {
            QCoreApplication::processEvents();
        }
        for (qsizetype i = 0; i < typed.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            hooks.m_filter(KeyEvent{0, 0, false, 0, QString(typed[i])});
            QCoreApplication::processEvents();
            if (timer.nsecsElapsed() > longestNs) {
                longestNs = timer.nsecsElapsed();
                longestAt = i;
            }
            if (i > 0) {
                longestAfterFirstNs = std::max(longestAfterFirstNs, timer.nsecsElapsed());
            }
        }
        state.PauseTiming();
        kept = session.query().size();
        session.toggle();
        view.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["records"] = double(model.rowCount());
    state.counters["query"] = double(kept);
    state.counters["longest_key_ms"] = double(longestNs) / 1e6;
    state.counters["longest_key_at"] = double(longestAt);
    state.counters["longest_later_key_ms"] = double(longestAfterFirstNs) / 1e6;
}
BENCHMARK(BM_TypeIntoPopup)
    ->ArgsProduct({{500}, {Prose, HeldKey}})
    ->ArgNames({"records", "typed"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv);
}
