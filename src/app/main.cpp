#include <QByteArray>

#include <malloc.h>

#include "app/QuillstackApp.h"

int main(int argc, char** argv) {
    // Copies of images are large, short-lived buffers built on worker threads. With glibc's
    // sliding threshold they end up in per-thread arenas that are never given back; a fixed
    // threshold keeps them in their own mappings, returned on free.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The clipboard, the chord and the paste keystroke are X11 services; under a Wayland
    // session Qt would otherwise pick its Wayland backend and none of them would work.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    }
    QuillstackApp app(argc, argv);
    return app.run();
}
