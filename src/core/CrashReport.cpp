// SPDX-License-Identifier: MIT
#include "core/CrashReport.h"

#include <cxxabi.h>
#include <execinfo.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {
QString demangle(const char* mangled) {
    if (mangled == nullptr) {
        return {};
    }
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> plain(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return QString::fromUtf8(status == 0 && plain ? plain.get() : mangled);
}
}  // namespace

namespace CrashReport {

QString exceptionLine(const QString& name, const std::optional<QString>& reason) {
    return QStringLiteral("CRASH (uncaught exception): ") + name + QStringLiteral("; reason: ") +
           reason.value_or(QStringLiteral("nil"));
}

QString callStackLine(const QStringList& frames) {
    return QStringLiteral("callStack: ") + frames.mid(0, maxFrames).join(QStringLiteral(" | "));
}

QStringList currentCallStack() {
    // A few more than we print, since the handler's own frames come first.
    void* addresses[maxFrames + 8];
    const int count = backtrace(addresses, maxFrames + 8);
    QStringList frames;
    std::unique_ptr<char*, void (*)(void*)> symbols(backtrace_symbols(addresses, count), std::free);
    for (int i = 0; i < count; ++i) {
        frames.append(symbols ? QString::fromLocal8Bit(symbols.get()[i])
                              : QStringLiteral("0x") +
                                    QString::number(reinterpret_cast<quintptr>(addresses[i]), 16));
    }
    return frames;
}

QString currentExceptionTypeName() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    return type ? demangle(type->name()) : QString();
}

}  // namespace CrashReport
