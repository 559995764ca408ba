// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The two diagnostic lines written for an exception that nobody caught.
namespace CrashReport {
constexpr int maxFrames = 30;

// "CRASH (uncaught exception): <name>; reason: <reason or nil>"
QString exceptionLine(const QString& name, const std::optional<QString>& reason);
// "callStack: " + the first 30 frames joined by " | "
QString callStackLine(const QStringList& frames);

// The calling thread's stack, innermost first, as symbolised by the C library.
QStringList currentCallStack();
// The type name of the exception being handled, demangled; empty when none is active.
QString currentExceptionTypeName();
}  // namespace CrashReport
