// SPDX-License-Identifier: MIT
// The ignored applications on a list far longer than anybody keeps by hand: read at start, and
// asked of on every copy.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "BenchRig.h"
#include "history/RecordingGate.h"
#include "platform/WindowTracker.h"
#include "settings/AppSettings.h"

namespace {

// An editor in front that no name of the list matches.
class EditorInFront final : public WindowTracker {
  public:
    std::optional<RunningApp> frontmostApplication() const override {
        return RunningApp{100, QStringLiteral("Editor"), 7, QStringLiteral("editor"),
                          QStringLiteral("Editor")};
    }
    void activate(const RunningApp&) override {}
    qint64 currentProcessId() const override { return 1; }
};

QStringList names(qint64 count) {
    QStringList out;
    out.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        out << QStringLiteral("org.example.Application%1").arg(i);
    }
    return out;
}

// From the stored list to the gate that the first copy asks, as the application starts.
void BM_IgnoredApplicationsAtStart(benchmark::State& state) {
    MemoryStore store;
    store.setValue(QStringLiteral("ignoredApplications"), names(state.range(0)));
    NoAutostart login;
    EditorInFront windowTracker;
    for (auto _ : state) {
        AppSettings settings(store, login, {});
        RecordingGate gate(windowTracker, settings.ignoredApplications());
        benchmark::DoNotOptimize(gate.admitsCopy());
    }
}
BENCHMARK(BM_IgnoredApplicationsAtStart)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_GateOnACopy(benchmark::State& state) {
    EditorInFront windowTracker;
    const RecordingGate gate(windowTracker, names(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(gate.admitsCopy());
    }
}
BENCHMARK(BM_GateOnACopy)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
