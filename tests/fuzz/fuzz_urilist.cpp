#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "history/PasteboardContent.h"

// The first byte picks the target the rest is offered under, so one corpus covers the URI
// list, the GNOME form and the web-link targets.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    static const char* const kTypes[] = {"text/uri-list", "x-special/gnome-copied-files",
                                         "text/x-moz-url", "_NETSCAPE_URL"};
    const char* type = kTypes[data[0] % 4];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1),
                           static_cast<qsizetype>(size - 1));
    // Every URL names a file: file scheme, and no NUL in the path.
    const auto checkFile = [](const QUrl& url) {
        if (url.scheme() != QLatin1StringView("file") ||
            url.path(QUrl::FullyDecoded).contains(QChar(u'\0'))) {
            __builtin_trap();
        }
    };
    for (const QUrl& url : PasteboardContent::parseUriList(bytes)) {
        checkFile(url);
    }
    const PasteboardSnapshot snapshot{{{QString::fromLatin1(type), bytes}}};
    for (const QUrl& url : PasteboardContent::fileURLsFromStored(snapshot)) {
        checkFile(url);
    }
    if (PasteboardContent::previewTextFromStored(snapshot).isEmpty()) {
        __builtin_trap();
    }
    return 0;
}
