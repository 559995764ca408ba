#include <QByteArray>
#include <QtGlobal>

#include <malloc.h>

#include "app/QuillstackApp.h"
#include "app/ReleaseOutput.h"
#include "core/AppEnvironment.h"

int main(int argc, char** argv) {
    // Copies of images are large, short-lived buffers built on worker threads. With glibc's
    // sliding threshold they end up in per-thread arenas that are never given back; a fixed
    // threshold keeps them in their own mappings, returned on free.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    if constexpr (!AppEnvironment::isLoggingEnabled) {
        // Qt's own warnings can name files and windows of the user's session.
        ReleaseOutput::installMessageHandler();
    }
    // The clipboard, the chord and the paste keystroke are X11 services; under a Wayland
    // session Qt would otherwise pick its Wayland backend and none of them would work.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    }
    QuillstackApp app(argc, argv);
    if constexpr (!AppEnvironment::isLoggingEnabled) {
        if (!app.isAlreadyRunning()) {
            ReleaseOutput::silenceStandardStreams();
        }
    }
    return app.run();
}
