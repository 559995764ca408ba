// SPDX-License-Identifier: MIT
#pragma once

#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QTest>

#include <optional>

#include "PasteScenarios.h"

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

inline const QStringList kXclipCopy{"xclip", "-quiet", "-selection", "clipboard"};
inline const QStringList kXclipPaste{"xclip", "-o", "-selection", "clipboard"};
inline bool copyText(const QString& text) {
    return copyAndLeave(kXclipCopy, kXclipPaste, text);
}

// The scenarios on an X server: the field is a line edit of the test and terminals get the
// focus from xdotool.
class X11PasteDesktop : public PasteDesktop {
  public:
    X11PasteDesktop() : PasteDesktop(kXclipCopy, kXclipPaste) {
        m_field.setWindowTitle("Quillstack test target");
        m_field.setGeometry(40, 40, 300, 40);
        m_field.show();
    }
    void press(const QString& keys) override {
        key(keys == QLatin1String("chord") ? QStringLiteral("super+shift+v") : keys, 0);
    }
    bool popupShown() override { return visiblePopup().has_value(); }
    QString front() override {
        if (m_field.isActiveWindow()) {
            return QStringLiteral("field");
        }
        const QString active = run("xdotool", {"getactivewindow"});
        return active == m_terminalWindow && !active.isEmpty() ? m_terminal : QString();
    }
    QString fieldText() override { return m_field.text(); }
    void focus(const QString& target) override {
        m_terminal.clear();
        m_terminalWindow.clear();
        if (target == QLatin1String("field")) {
            m_field.clear();
            m_field.activateWindow();
            m_field.raise();
            return;
        }
        const QString windowClass = target == QLatin1String("xterm") ? "XTerm" : "Lxterminal";
        m_terminalWindow =
            run("xdotool", {"search", "--sync", "--onlyvisible", "--class", windowClass})
                .section('\n', 0, 0);
        m_terminal = target;
        run("xdotool", {"windowactivate", "--sync", m_terminalWindow});
    }

  private:
    QLineEdit m_field;
    QString m_terminal, m_terminalWindow;
};
