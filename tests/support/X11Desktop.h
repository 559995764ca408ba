// SPDX-License-Identifier: MIT
#pragma once

#include <QGuiApplication>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QTest>

#include <optional>

#include "AppProcess.h"
#include "ClipboardClients.h"

// Driving the desktop from outside, as a user would: xdotool, xwininfo, xclip and a tray host.

// What `program` printed, trimmed.
inline QString run(const QString& program, const QStringList& arguments) {
    return QString::fromUtf8(runTool(program, arguments)).trimmed();
}

// Key chords, separated by spaces, to the focused window, then time for a page to fade in.
inline void key(const QString& keys, int settleMs = 300) {
    run(QStringLiteral("xdotool"), QStringList{"key", "--clearmodifiers"} + keys.split(u' '));
    QTest::qWait(settleMs);
}

// Ids of the viewable windows that `xdotool search` finds with these criteria.
inline QStringList visibleWindows(const QStringList& criteria) {
    return run("xdotool", QStringList{"search", "--onlyvisible"} + criteria)
        .split('\n', Qt::SkipEmptyParts);
}

// The first viewable window these criteria find of this width and height (< 0: any).
inline std::optional<WId> viewableWindow(const QStringList& criteria, int width, int height = -1) {
    for (const QString& id : visibleWindows(criteria)) {
        const QString info = run(QStringLiteral("xwininfo"), {"-id", id});
        const auto field = [&info](const char* name) {
            return info.section(QString(name) + u':', 1).section(u'\n', 0, 0).trimmed().toInt();
        };
        if (info.contains("IsViewable") && field("Width") == width &&
            (height < 0 || field("Height") == height)) {
            return WId(id.toULongLong());
        }
    }
    return std::nullopt;
}

// The popup: the application's window 420 wide.
inline std::optional<WId> visiblePopup() {
    return viewableWindow({"--classname", "quillstack"}, 420);
}

inline bool waitForPopup(bool shown) {
    return QTest::qWaitFor([shown] { return visiblePopup().has_value() == shown; }, 10000);
}

// Another client copies `text` with xclip and exits. The application then keeps the clipboard
// filled: once it serves `text`, the copy is in its history. It can only keep what it read
// before the owner left, so a copy it had no time to read is made again.
inline bool copyText(const QString& text) {
    const auto served = [&text] {
        return runTool("xclip", {"-o", "-selection", "clipboard"}) == text.toUtf8();
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        QProcess owner;
        owner.start("xclip", {"-quiet", "-selection", "clipboard"});
        owner.write(text.toUtf8());
        owner.closeWriteChannel();
        const bool held = QTest::qWaitFor(served, 10000);
        QTest::qWait(300);  // the application reads it meanwhile, as a rule
        owner.kill();
        owner.waitForFinished(5000);
        if (held && QTest::qWaitFor(served, 5000)) {
            return true;
        }
        qWarning("the copy of \"%s\" was not kept; copying it again", qPrintable(text));
    }
    return false;
}
