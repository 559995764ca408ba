// SPDX-License-Identifier: MIT
#pragma once
// What a benchmark of widgets starts with: an application that can show widgets, offscreen
// unless the caller chose a display.
#include <benchmark/benchmark.h>

#include <QApplication>

inline int runWidgetBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
