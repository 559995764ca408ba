// The ignored applications on a list far longer than anybody keeps by hand: read at start, and
// asked of on every copy.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMap>

#include "history/RecordingGate.h"
#include "platform/KeyValueStore.h"
#include "platform/LoginItems.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"

namespace {

class MapStore final : public KeyValueStore {
  public:
    bool contains(const QString& key) const override { return m_values.contains(key); }
    QVariant value(const QString& key) const override { return m_values.value(key); }
    void setValue(const QString& key, const QVariant& value) override { m_values[key] = value; }
    void remove(const QString& key) override { m_values.remove(key); }

  private:
    QMap<QString, QVariant> m_values;
};

class NoLoginItems final : public LoginItems {
  public:
    bool registerApp() override { return true; }
    bool unregisterApp() override { return true; }
    bool isRegistered() const override { return true; }
};

// An editor in front that no name of the list matches.
class EditorInFront final : public Workspace {
  public:
    std::optional<RunningApp> frontmostApplication() const override {
        return RunningApp{100, QStringLiteral("Editor"), 7, QStringLiteral("editor"),
                          QStringLiteral("Editor")};
    }
    void activate(const RunningApp&) override {}
    void yieldActivation(const RunningApp&) override {}
    qint64 currentProcessId() const override { return 1; }
    void openAccessibilitySettings() override {}
    void openInputMonitoringSettings() override {}
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
    MapStore store;
    store.setValue(QStringLiteral("ignoredApplications"), names(state.range(0)));
    NoLoginItems login;
    EditorInFront workspace;
    for (auto _ : state) {
        AppSettings settings(store, login, {});
        RecordingGate gate(workspace, settings.ignoredApplications());
        benchmark::DoNotOptimize(gate.admitsCopy());
    }
}
BENCHMARK(BM_IgnoredApplicationsAtStart)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_GateOnACopy(benchmark::State& state) {
    EditorInFront workspace;
    const RecordingGate gate(workspace, names(state.range(0)));
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
