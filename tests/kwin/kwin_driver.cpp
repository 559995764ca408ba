#include <QCoreApplication>

#include <cstdio>

#include "platform/kde/KWinFakeInput.h"
#include "platform/kde/KWinWorkspace.h"
#include "platform/wayland/WaylandSession.h"

// The test's hands and eyes on KWin, through the same protocols the application uses:
//   kwin_driver active          prints the active window's app id and pid
//   kwin_driver keys KEY...     types Down, Return, Escape or chord (Super+Shift+V)
// Exits 3 when KWin does not grant the protocol (no desktop file asks for it).
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    WaylandSession session;
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("active")) {
        const KWinWorkspace workspace(session);
        if (!workspace.isOffered()) {
            return 3;
        }
        const RunningApp front = workspace.frontmostApplication().value_or(RunningApp{});
        std::printf("%s %lld\n", qPrintable(front.windowClass), front.pid);
        return 0;
    }
    KWinFakeInput input(session, QStringLiteral("kwin_driver"));
    if (args.value(0) != QLatin1String("keys") || !input.isGranted()) {
        return 3;
    }
    const QHash<QString, Keystroke> keys{
        {"Down", {0, KeyCode::DownArrow}},
        {"Return", {0, KeyCode::Return}},
        {"Escape", {0, KeyCode::Escape}},
        {"chord", {ModifierFlag::Command | ModifierFlag::Shift, KeyCode::V}}};
    for (const QString& key : args.mid(1)) {
        if (!keys.contains(key) || !input.postPasteKeystroke(keys.value(key))) {
            return 2;
        }
        session.roundtrip();
    }
    return 0;
}
