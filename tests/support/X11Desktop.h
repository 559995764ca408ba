#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <optional>
#include <vector>

#include "AppSession.h"
#include "XclipOwner.h"

// Driving the desktop from outside, as a user would: xdotool, xwininfo, xclip and a tray host.

// What `program` printed, trimmed; it gets five seconds.
inline QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// A key chord to the focused window, then time for a page to fade in (0.2 s).
inline void key(const QString& keys, int settleMs = 300) {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
    QTest::qWait(settleMs);
}

// Ids of the viewable windows that `xdotool search` finds with these criteria.
inline QStringList visibleWindows(const QStringList& criteria) {
    return run("xdotool", QStringList{"search", "--onlyvisible"} + criteria)
        .split('\n', Qt::SkipEmptyParts);
}

// Where the window is on the screen, if it is viewable.
inline std::optional<QRect> viewableGeometry(const QString& id) {
    const QString info = run(QStringLiteral("xwininfo"), {"-id", id});
    auto field = [&info](const QString& name) {
        const QRegularExpression re(name + QStringLiteral(":\\s+(-?\\d+)"));
        return re.match(info).captured(1).toInt();
    };
    if (!info.contains("IsViewable")) {
        return std::nullopt;
    }
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                 field("Height"));
}

// The viewable 420-wide window of the application's class, if one is mapped.
inline std::optional<QRect> visiblePopup() {
    for (const QString& id : visibleWindows({"--classname", "quillstack"})) {
        if (const auto geometry = viewableGeometry(id); geometry && geometry->width() == 420) {
            return geometry;
        }
    }
    return std::nullopt;
}

inline bool waitForPopup(bool shown) {
    return QTest::qWaitFor([shown] { return visiblePopup().has_value() == shown; }, 5000);
}

// A tray host, so that every tray icon shows up as a window.
inline bool startTrayHost(QProcess& host) {
    host.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
                          "200", "--height", "24"});
    return host.waitForStarted();
}

// Other clients copying: each owner serves its copy until the next one takes the clipboard.
struct ClipboardCopies {
    std::vector<std::unique_ptr<XclipOwner>> owners;

    // Served, then one poll of the history and the read of the new owner.
    void text(const QString& text) {
        owners.push_back(std::make_unique<XclipOwner>(QByteArray(), text.toUtf8()));
        QTRY_COMPARE_WITH_TIMEOUT(run("xclip", {"-o", "-selection", "clipboard"}), text, 3000);
        QTest::qWait(900);
    }
    // Served once xclip has read it all; then a poll of the history and the read.
    void bytes(const QByteArray& bytes, const char* target) {
        owners.push_back(std::make_unique<XclipOwner>(target, bytes));
        QTest::qWait(1200);
    }
};
