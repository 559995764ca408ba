#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "history/RtfText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QString> text = RtfText::toPlainText(bytes);
    // Plain text never grows beyond a few characters per input byte.
    if (text && text->size() > 2 * bytes.size() + 2) {
        __builtin_trap();
    }
    return 0;
}
