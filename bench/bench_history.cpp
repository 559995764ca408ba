// SPDX-License-Identifier: MIT
// Record building and history maintenance on the sizes users actually copy.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

#include "BenchRig.h"
#include "history/BlobStore.h"
#include "history/ClipboardContent.h"
#include "history/ClipboardHistory.h"
#include "history/ClipboardItem.h"
#include "history/HistoryListModel.h"
#include "history/HistoryStore.h"

namespace {

QByteArray encodeImage(const QImage& image, const char* format) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return out;
}

// A screenshot-like picture: smooth gradients with sensor-like noise, so PNG neither collapses
// to nothing nor explodes.
QImage gradientImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator noise(42);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(noise.bounded(8));
            line[x] = qRgb((x * 255 / width + n) & 0xff, (y * 255 / height + n) & 0xff,
                           ((x + y) * 127 / (width + height) + n) & 0xff);
        }
    }
    return image;
}

void makeRecord(benchmark::State& state, const ClipboardSnapshot& snapshot) {
    QTemporaryDir dir;
    for (auto _ : state) {
        auto item = ClipboardItem::make(snapshot, dir.path(), ClipboardItem::defaultInlineByteLimit,
                                        ClipboardItem::defaultThumbnailMaxSide);
        benchmark::DoNotOptimize(item);
        state.PauseTiming();
        if (item) {
            item->deleteBlob();
        }
        state.ResumeTiming();
    }
}

void BM_MakeText1KB(benchmark::State& state) {
    makeRecord(state, {{{"UTF8_STRING", QByteArray(1024, 'k')}, {"text/html", "<p>k</p>"}}});
}
BENCHMARK(BM_MakeText1KB);

void BM_MakeText1MB(benchmark::State& state) {
    makeRecord(state, {{{"UTF8_STRING", QByteArray(1 << 20, 'm')}}});
}
BENCHMARK(BM_MakeText1MB)->Unit(benchmark::kMillisecond);

const QByteArray& png4k() {
    static const QByteArray png = encodeImage(gradientImage(3840, 2160), "png");
    return png;
}

void BM_MakePng3840x2160(benchmark::State& state) {
    const QByteArray& png = png4k();
    state.counters["png_MB"] = double(png.size()) / (1 << 20);
    makeRecord(state, {{{"image/png", png}}});
}
BENCHMARK(BM_MakePng3840x2160)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two halves of the PNG record: the thumbnail (full decode) and the blob file.
void BM_ThumbnailPng3840x2160(benchmark::State& state) {
    const std::optional<QByteArray> png = png4k();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ClipboardContent::makeThumbnail(png, 256));
    }
}
BENCHMARK(BM_ThumbnailPng3840x2160)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BlobWritePng3840x2160(benchmark::State& state) {
    QTemporaryDir dir;
    const ClipboardSnapshot snapshot = {{{"image/png", png4k()}}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(BlobStore::write(dir.filePath("b.blob"), snapshot));
    }
}
BENCHMARK(BM_BlobWritePng3840x2160)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MakeTiff20MB(benchmark::State& state) {
    static const QByteArray tiff = encodeImage(gradientImage(3840, 1820), "tiff");
    if (tiff.isEmpty()) {
        state.SkipWithError("no TIFF writer");
        return;
    }
    state.counters["tiff_MB"] = double(tiff.size()) / (1 << 20);
    makeRecord(state, {{{"image/tiff", tiff}}});
}
BENCHMARK(BM_MakeTiff20MB)->Unit(benchmark::kMillisecond)->UseRealTime();

// Insert into a full history of 500 (de-duplication scan, trim, cache clean, folder sweep with
// 20 blob files present). Only the main-thread step is timed; with the history kept (arg 1) it
// includes telling the store what changed, whose writing runs on the background queue.
void BM_Insert500(benchmark::State& state) {
    QTemporaryDir dir, data;
    BenchClipboard clipboard;
    StepScheduler scheduler;
    const bool kept = state.range(0) != 0;
    HistoryStore store(data.path());
    ClipboardHistory history(
        clipboard, scheduler, dir.path(),
        [kept] {
            return ClipboardHistory::Limits{500, 0, kept};
        },
        &store);
    history.startMonitoring();
    int serial = 0;
    const auto copyNext = [&] {
        const bool large = serial % 25 == 0;
        QByteArray text = "entry " + QByteArray::number(serial++);
        if (large) {
            text += QByteArray(300000, 'x');
        }
        clipboard.copy({{{"UTF8_STRING", text}}});
        scheduler.m_poll();
        StepScheduler::drain(scheduler.m_background);
    };
    for (int i = 0; i < 500; ++i) {
        copyNext();
        StepScheduler::drain(scheduler.m_main);
    }
    for (auto _ : state) {
        state.PauseTiming();
        copyNext();
        state.ResumeTiming();
        StepScheduler::drain(scheduler.m_main);
        state.PauseTiming();
        StepScheduler::drain(scheduler.m_background);
        state.ResumeTiming();
    }
    state.counters["records"] = double(history.items().size());
}
BENCHMARK(BM_Insert500)->Arg(0)->Arg(1)->ArgName("kept")->Unit(benchmark::kMicrosecond);

// One 1 KB text copy reaching the views: the insert (de-duplication, trim of the oldest, cache
// clean, sweep), the model's row signals and the eight rows a popup shows, asked afresh. Args:
// records held, and whether a model follows the history (0 gives the insert alone).
void BM_Copy1KBToModel(benchmark::State& state) {
    const qint64 records = state.range(0);
    QTemporaryDir dir;
    BenchClipboard clipboard;
    StepScheduler scheduler;
    NoThumbnailer thumbnailer;
    ClipboardHistory history(clipboard, scheduler, dir.path(), [records] {
        return ClipboardHistory::Limits{records, 0};
    });
    std::optional<HistoryListModel> model;
    if (state.range(1) != 0) {
        model.emplace(history, scheduler, thumbnailer);
    }
    history.startMonitoring();
    int serial = 0;
    const auto copyNext = [&] {
        QByteArray text = QByteArray::number(serial++) + ' ';
        text += QByteArray(1024 - text.size(), 't');
        clipboard.copy({{{"UTF8_STRING", text}}});
        scheduler.m_poll();
        StepScheduler::drain(scheduler.m_background);
    };
    const auto showFirstRows = [&] {
        for (int row = 0; model && row < std::min(8, model->rowCount()); ++row) {
            const QModelIndex index = model->index(row);
            for (int role : {int(Qt::DisplayRole), int(Qt::DecorationRole),
                             int(HistoryListModel::DateRole), int(HistoryListModel::KindRole)}) {
                benchmark::DoNotOptimize(model->data(index, role));
            }
        }
    };
    for (qint64 i = 0; i < records; ++i) {
        copyNext();
        StepScheduler::drain(scheduler.m_main);
    }
    showFirstRows();
    for (auto _ : state) {
        state.PauseTiming();
        copyNext();
        state.ResumeTiming();
        StepScheduler::drain(scheduler.m_main);
        showFirstRows();
    }
    state.counters["records"] = double(history.items().size());
}
BENCHMARK(BM_Copy1KBToModel)
    ->ArgsProduct({{5, 500}, {0, 1}})
    ->ArgNames({"records", "model"})
    ->Unit(benchmark::kMicrosecond);

void BM_Preview100KB(benchmark::State& state) {
    BenchClipboard clipboard;
    StepScheduler scheduler;
    const auto item =
        ClipboardItem::make({{{"UTF8_STRING", QByteArray(100 * 1024, 'p')}}}, {}, 262144, 256);
    for (auto _ : state) {
        auto preview = HistoryListModel::previewText(*item);
        benchmark::DoNotOptimize(preview);
    }
}
BENCHMARK(BM_Preview100KB)->Unit(benchmark::kMicrosecond);

// The kept history at 500 mixed records (400 texts, 50 PNGs, 50 file lists), as the user keeps it.
QList<ClipboardItem> mixedRecords(int count) {
    static const QByteArray png = encodeImage(gradientImage(640, 400), "png");
    QList<ClipboardItem> items;
    for (int i = 0; i < count; ++i) {
        const QByteArray serial = QByteArray::number(i);
        const ClipboardSnapshot content =
            i % 10 == 8 ? ClipboardSnapshot{{{"image/png", png + serial}}}
            : i % 10 == 9
                ? ClipboardSnapshot{{{"text/uri-list", "file:///home/u/f" + serial +
                                                           ".txt\r\nfile:///home/u/g\r\n"}}}
                : ClipboardSnapshot{{{"UTF8_STRING", "text " + serial + QByteArray(400, 't')}}};
        items.append(*ClipboardItem::make(content, {}, 262144, 144));
    }
    return items;
}

// Copy to durable on disk: one 1 KB text added and the oldest removed, committed and synced,
// the journal emptied of the removed bytes; the background queue's part of a copy.
void BM_StoreCopyDurable(benchmark::State& state) {
    QTemporaryDir data;
    HistoryStore store(data.path());
    QList<ClipboardItem> items = mixedRecords(500);
    store.apply({items, {}, std::nullopt, {}});
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const ClipboardItem copy = *ClipboardItem::make(
            {{{"UTF8_STRING", QByteArray::number(serial++) + QByteArray(1024, 'c')}}}, {}, 262144,
            144);
        const QUuid oldest = items.takeFirst().id();
        items.append(copy);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.apply({{copy}, {oldest}, std::nullopt, {}}));
    }
}
BENCHMARK(BM_StoreCopyDurable)->Unit(benchmark::kMillisecond)->UseRealTime();

// A start with 500 kept records: read back and made into records, as the background queue does
// before they are shown (the second start on: the first makes each record's summary).
void BM_StoreLoad500(benchmark::State& state) {
    QTemporaryDir data;
    {
        HistoryStore store(data.path());
        store.apply({mixedRecords(500), {}, std::nullopt, {}});
    }
    for (auto _ : state) {
        HistoryStore store(data.path());
        QList<ClipboardItem> items;
        store.load(true, [&](HistoryStorage::Record record) { items.append(record.item); });
        if (items.size() != 500) {
            state.SkipWithError("records lost");
        }
    }
}
BENCHMARK(BM_StoreLoad500)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // image plugins (TIFF) are found through the application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
