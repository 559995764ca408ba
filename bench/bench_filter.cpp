// SPDX-License-Identifier: MIT
// Filtering as the user types: one keystroke to the proxy updated at 50, 500 and 2000 mixed
// records (80 % texts up to 5 KB, 10 % pictures, 10 % file lists), and a 1 KB copy reaching an
// open history window while a filter is typed in it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "BenchRig.h"
#include "WidgetBenchMain.h"
#include "history/HistoryFilterModel.h"
#include "history/HistoryListModel.h"
#include "ui/history/HistoryWindowView.h"

namespace {

const QStringList kWords{"lorem", "ipsum",      "dolor", "sit",   "amet", "Straße", "café",
                         "naïve", "Ｑｕｉｌｌ", "stack", "paste", "copy", "résumé", "queue"};

QByteArray png(quint32 seed) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(seed * 2654435761u));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Record i of the mixed set: a picture every tenth, a file list every tenth after it, else a
// text of up to 5 KB of words.
ClipboardSnapshot mixedRecord(int i, QRandomGenerator& random) {
    if (i % 10 == 3) {
        return {{{"image/png", png(quint32(i))}}};
    }
    if (i % 10 == 7) {
        QByteArray list;
        for (int f = 0; f < 3; ++f) {
            list += "file:///home/user/Documents/report-" + QByteArray::number(i) + "-" +
                    QByteArray::number(f) + ".pdf\r\n";
        }
        return {{{"text/uri-list", list}}};
    }
    const int size = int(random.bounded(40, 5120));
    QString text = QString::number(i) + u' ';
    while (text.size() < size) {
        text += kWords.at(int(random.bounded(kWords.size()))) + u' ';
    }
    return {{{"UTF8_STRING", text.toUtf8()}}};
}

struct Rig {
    explicit Rig(qint64 records)
        : history(clipboard, scheduler, dir.path(),
                  [records] {
                      return ClipboardHistory::Limits{records, 0};
                  }),
          model(history, scheduler, thumbnailer) {
        history.startMonitoring();
        QRandomGenerator random(7);
        for (int i = 0; i < records; ++i) {
            copy(mixedRecord(i, random));
        }
    }
    void copy(ClipboardSnapshot content) {
        clipboard.copy(std::move(content));
        scheduler.m_poll();
        StepScheduler::drain(scheduler.m_background);
        StepScheduler::drain(scheduler.m_main);
    }
    QTemporaryDir dir;
    BenchClipboard clipboard;
    StepScheduler scheduler;
    NoThumbnailer thumbnailer;
    ClipboardHistory history;
    HistoryListModel model;
};

enum class Queries { Short, AtTheCap, Typed8000 };

// Short: letters typed in turn, the last matching nothing, so every text that held the first
// word is read to its end. AtTheCap: the same at the longest query that counts, and a key past
// it. Typed8000: one keystroke each of 8,000 characters typed from an empty filter.
void filterKeystrokes(benchmark::State& state, Queries kind) {
    Rig rig(state.range(0));
    HistoryFilterModel filter(rig.model);
    QStringList queries{QStringLiteral("dolo"), QStringLiteral("dolor"),
                        QStringLiteral("dolor strasse"), QStringLiteral("dolor strassez")};
    QString words;
    for (qsizetype i = 0; words.size() < 8000; ++i) {
        words += kWords.at(i % kWords.size()) + u' ';
    }
    if (kind == Queries::AtTheCap) {
        queries = {words.left(254), words.left(255), words.left(256), words.left(257)};
    } else if (kind == Queries::Typed8000) {
        queries.clear();
        for (qsizetype length = 1; length <= 8000; ++length) {
            queries.append(words.left(length));
        }
    }
    qsizetype next = 0;
    for (auto _ : state) {
        filter.setQuery(queries.at(next++ % queries.size()));
        benchmark::DoNotOptimize(filter.rowCount());
    }
    state.counters["records"] = double(rig.model.rowCount());
    state.counters["shown"] = double(filter.rowCount());
}
void BM_FilterKeystroke(benchmark::State& state) {
    filterKeystrokes(state, Queries::Short);
}
BENCHMARK(BM_FilterKeystroke)->Arg(50)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
[[maybe_unused]] const auto* const atTheCap =
    benchmark::RegisterBenchmark("BM_FilterKeystroke/at_the_cap", filterKeystrokes,
                                 Queries::AtTheCap) -> Arg(500) -> Arg(2000)
        -> Unit(benchmark::kMillisecond);
[[maybe_unused]] const auto* const typed8000 =
    benchmark::RegisterBenchmark("BM_FilterKeystroke/typed_8000", filterKeystrokes,
                                 Queries::Typed8000) -> Arg(500) -> Iterations(8000)
        -> Unit(benchmark::kMillisecond);

// The copy matches the filter, so it reaches the list, its layout and its painting.
void BM_Copy1KBToFilteredBrowser(benchmark::State& state) {
    Rig rig(state.range(0));
    HistoryWindowView view(rig.history, rig.model, rig.scheduler, QStringLiteral("en"));
    view.resize(600, 700);
    view.show();
    view.searchField()->setText(QStringLiteral("lorem"));
    QCoreApplication::processEvents();
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QByteArray text = "lorem " + QByteArray::number(serial++) + ' ';
        text += QByteArray(1024 - text.size(), 't');
        rig.clipboard.copy({{{"UTF8_STRING", text}}});
        rig.scheduler.m_poll();
        StepScheduler::drain(rig.scheduler.m_background);
        state.ResumeTiming();
        StepScheduler::drain(rig.scheduler.m_main);
        QCoreApplication::processEvents();
    }
    state.counters["shown"] = double(view.filterModel()->rowCount());
}
BENCHMARK(BM_Copy1KBToFilteredBrowser)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv);
}
