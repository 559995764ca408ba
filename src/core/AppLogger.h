// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

#include "core/AppEnvironment.h"

// Diagnostic lines on standard error in debug builds; nothing at all in release builds.
namespace AppLogger {
void log(const QString& message);

// Tests capture the lines instead of writing them; an empty sink restores stderr.
using Sink = std::function<void(const QString&)>;
void setSinkForTesting(Sink sink);
}  // namespace AppLogger

// A component's private logger: same line, same switch.
#define QUILLSTACK_DEFINE_COMPONENT_LOG                   \
    namespace {                                           \
    inline void log(const QString& message) {             \
        if constexpr (AppEnvironment::isLoggingEnabled) { \
            AppLogger::log(message);                      \
        } else {                                          \
            Q_UNUSED(message);                            \
        }                                                 \
    }                                                     \
    }
