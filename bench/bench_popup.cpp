// A 1 KB copy reaching the popup's list: the insert, the model's row signals, and the list
// view's layout through its delegate, with the popup never shown, shown once and hidden again,
// and on screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHash>
#include <QTemporaryDir>

#include "BenchRig.h"
#include "WidgetBenchMain.h"
#include "history/HistoryFilterModel.h"
#include "history/HistoryListModel.h"
#include "platform/KeyValueStore.h"
#include "platform/LoginItems.h"
#include "settings/AppSettings.h"
#include "ui/popup/PastePopupView.h"

namespace {

class MemoryStore final : public KeyValueStore {
  public:
    bool contains(const QString& key) const override { return m_values.contains(key); }
    QVariant value(const QString& key) const override { return m_values.value(key); }
    void setValue(const QString& key, const QVariant& value) override { m_values[key] = value; }
    void remove(const QString& key) override { m_values.remove(key); }

  private:
    QHash<QString, QVariant> m_values;
};

class NoLoginItems final : public LoginItems {
  public:
    bool registerApp() override { return true; }
    bool unregisterApp() override { return true; }
    bool isRegistered() const override { return false; }
};

enum Popup { NeverShown, ShownOnce, OnScreen };

// Args: records held; 0 never shown, 1 shown once and hidden, 2 on screen.
void BM_Copy1KBToPopup(benchmark::State& state) {
    const qint64 records = state.range(0);
    const auto popup = Popup(state.range(1));
    QTemporaryDir dir;
    BenchPasteboard pasteboard;
    StepScheduler scheduler;
    NoThumbnailer thumbnailer;
    ClipboardHistory history(pasteboard, scheduler, dir.path(), [records] {
        return ClipboardHistory::Limits{records, 0};
    });
    HistoryListModel model(history, scheduler, thumbnailer);
    MemoryStore store;
    NoLoginItems loginItems;
    AppSettings settings(store, loginItems, {});
    HistoryFilterModel filter(model);
    PastePopupView view(filter, settings);
    history.startMonitoring();
    int serial = 0;
    const auto copyNext = [&] {
        QByteArray text = QByteArray::number(serial++) + ' ';
        text += QByteArray(1024 - text.size(), 't');
        pasteboard.copy({{{"UTF8_STRING", text}}});
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

}  // namespace

int main(int argc, char** argv) {
    return runWidgetBenchmarks(argc, argv);
}
