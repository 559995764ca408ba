#include <QByteArray>

#include "app/QuillstackApp.h"

int main(int argc, char** argv) {
    // The clipboard, the chord and the paste keystroke are X11 services; under a Wayland
    // session Qt would otherwise pick its Wayland backend and none of them would work.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
    }
    QuillstackApp app(argc, argv);
    return app.run();
}
