// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

#include <memory>

#include "AppProcess.h"
#include "ClipboardClients.h"

// A paste as a user makes it with the built application: copies made by other clients, the
// keys pressed, and what must arrive where.

// Terminals take it byte for byte, shell and escape characters included.
inline const QString kShellText = QStringLiteral("Grüße ✓ ünïcödé $HOME `x` \\ 'q'");

struct PasteScenario {
    QStringList copies;  // oldest first
    QString target;      // "field" (a line edit of the test) or a terminal program
    QStringList steps;   // "chord", then the keys that choose and paste
    QString arrives{};
    QString clipboard{};  // afterwards; empty: not checked
};

// A terminal whose shell is a raw-mode `cat`: the file holds exactly the bytes it received.
class RawTerminal {
  public:
    RawTerminal(const AppProcess& app, const QString& program)
        : m_output(app.filePath(program + ".out")) {
        const QString script = app.filePath(program + ".sh");
        if (!writeFile(script, "#!/bin/sh\nstty raw -echo\nexec cat > '" +
                                   QFile::encodeName(m_output) + "'\n") ||
            !QFile::setPermissions(script,
                                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            qFatal("cannot write %s", qPrintable(script));
        }
        QFile::remove(m_output);
        QProcessEnvironment env = app.environment();
        env.insert("LC_ALL", "C.UTF-8");
        env.insert("NO_AT_BRIDGE", "1");
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        static const QHash<QString, QStringList> options{{"xterm", {"-u8", "-e"}},
                                                         {"lxterminal", {"--no-remote", "-e"}}};
        m_process.start(program, options.value(program) << script);
    }
    ~RawTerminal() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    // The shell inside has set the terminal up once the file exists.
    bool started() const {
        return QTest::qWaitFor([this] { return QFile::exists(m_output); }, 20000);
    }
    QByteArray received() const { return readFile(m_output); }

  private:
    QString m_output;
    QProcess m_process;
};

// What a client running `command` pastes from the clipboard.
inline QString readClipboard(const QStringList& command) {
    return QString::fromUtf8(runTool(command.first(), command.mid(1)));
}

// Another client (`copy` reads the copy from its input and serves it) copies `text` and exits.
// The application then keeps the clipboard filled: once it serves `text`, the copy is in its
// history. It can only keep what it read before the owner left, so a copy it had no time to
// read is made again. An owner that stays serves until the next copy, and the caller waits for
// the record.
inline bool copyAndLeave(const QStringList& copy, const QStringList& paste, const QString& text,
                         bool leave = true) {
    if (!leave) {
        // Detached: a QProcess would kill it on the way out, before the application read it.
        // It serves until the next copy takes the clipboard, then exits by itself.
        QTemporaryFile input;
        if (!input.open() || input.write(text.toUtf8()) != text.toUtf8().size() || !input.flush()) {
            return false;
        }
        QProcess owner;
        owner.setProgram(copy.first());
        owner.setArguments(copy.mid(1));
        quiet(owner);
        owner.setStandardInputFile(input.fileName());
        return owner.startDetached() &&
               QTest::qWaitFor([&] { return readClipboard(paste) == text; }, 10000);
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        QProcess owner;
        owner.start(copy.first(), copy.mid(1));
        owner.write(text.toUtf8());
        owner.closeWriteChannel();
        const bool served = QTest::qWaitFor([&] { return readClipboard(paste) == text; }, 10000);
        QTest::qWait(300);  // the application reads it meanwhile, as a rule
        owner.kill();
        owner.waitForFinished(5000);
        if (served && QTest::qWaitFor([&] { return readClipboard(paste) == text; }, 5000)) {
            return true;
        }
        qWarning("the copy of \"%s\" was not kept; copying it again", qPrintable(text));
    }
    return false;
}

// What the runner asks of a desktop session.
class PasteDesktop {
  public:
    // `copy` reads a copy from its input and serves it; `paste` prints the clipboard.
    PasteDesktop(QStringList copy, QStringList paste, bool ownersLeave = true)
        : m_copy(copy), m_paste(paste), m_ownersLeave(ownersLeave) {}
    virtual ~PasteDesktop() = default;
    virtual void press(const QString& key) = 0;  // "chord" or a key name
    // Where it shows and how big is tst_window_placement's and tst_paste_popup's.
    virtual bool popupShown() = 0;
    // The window that has the keyboard: "field", a terminal program, or something else.
    virtual QString front() = 0;
    virtual QString fieldText() = 0;
    // Empties the field and brings it forward, or brings the terminal that started forward.
    virtual void focus(const QString& target) = 0;

    void play(AppProcess& app, const PasteScenario& scenario) {
        for (const QString& text : scenario.copies) {
            QVERIFY(copyAndLeave(m_copy, m_paste, text, m_ownersLeave));
            // Recorded as the newest before the next step: the keys depend on the order.
            QTRY_COMPARE_WITH_TIMEOUT(app.command({"--list"}).out.split('\n').value(0),
                                      "1\t" + text.toUtf8(), 20000);
        }
        std::unique_ptr<RawTerminal> terminal;
        if (scenario.target != u"field") {
            terminal = std::make_unique<RawTerminal>(app, scenario.target);
            QVERIFY2(terminal->started(), qPrintable(scenario.target + " did not start"));
        }
        focus(scenario.target);
        QTRY_COMPARE_WITH_TIMEOUT(front(), scenario.target, 10000);
        const auto received = [&] {
            return terminal ? terminal->received() : fieldText().toUtf8();
        };
        // The first step opens the popup; Return, the last, pastes and hides it, and the focus
        // goes back to where the user was.
        for (const QString& step : scenario.steps) {
            press(step);
            if (step == scenario.steps.first()) {
                QTRY_VERIFY_WITH_TIMEOUT(popupShown(), 10000);
            }
        }
        QTRY_VERIFY_WITH_TIMEOUT(!popupShown(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(front(), scenario.target, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(received(), scenario.arrives.toUtf8(), 10000);
        // Nothing else arrives after it (a stray ^V or a second paste).
        QTest::qWait(500);
        QCOMPARE(received(), scenario.arrives.toUtf8());
        if (!scenario.clipboard.isEmpty()) {
            QCOMPARE(readClipboard(m_paste), scenario.clipboard);
        }
        QVERIFY(app.isRunning());
    }

  private:
    QStringList m_copy, m_paste;
    bool m_ownersLeave;
};
