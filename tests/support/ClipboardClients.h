// SPDX-License-Identifier: MIT
#pragma once

#include <signal.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

#include <memory>

// A helper program whose output nobody reads, on another display when one is named.
inline void quiet(QProcess& process, const QString& waylandDisplay = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SWAYSOCK"));
    if (!waylandDisplay.isEmpty()) {
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay);
    }
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

// A temporary file holding `bytes`, for a program to read.
inline void fill(QTemporaryFile& file, const QByteArray& bytes) {
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        qFatal("cannot write a temporary file: %s", qPrintable(file.errorString()));
    }
}

// Runs a program to the end with `input` on its standard input; its standard output.
inline QByteArray runTool(const QString& program, const QStringList& arguments,
                          const QByteArray& input = {}) {
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    // One still running then is killed with the QProcess.
    process.waitForFinished(60'000);
    return process.readAllStandardOutput();
}

// Another client holding a copy until it is killed: a tool that reads the bytes from its
// standard input and stays in the foreground.
class ForeignCopy {
  public:
    ForeignCopy(const QString& program, const QStringList& arguments, const QByteArray& bytes) {
        fill(m_file, bytes);
        quiet(m_process);
        m_process.setStandardInputFile(m_file.fileName());
        m_process.start(program, arguments);
        m_process.waitForStarted();
    }
    ~ForeignCopy() { kill(); }
    void kill() {
        m_process.kill();
        m_process.waitForFinished();
    }
    // A hung application: alive, holding the selection, answering nothing.
    void hang(bool hung) { ::kill(pid_t(m_process.processId()), hung ? SIGSTOP : SIGCONT); }

  private:
    QTemporaryFile m_file;
    QProcess m_process;
};

// A compositor of its own, so that the session's stays up when this one goes away.
class NestedCompositor {
  public:
    NestedCompositor() {
        fill(m_config, "xwayland disable\n");
        const QDir runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
        const QStringList before = runtime.entryList({"wayland-*"}, QDir::System);
        quiet(m_sway);
        m_sway.start(QStringLiteral("sway"), {QStringLiteral("--config"), m_config.fileName()});
        // Ready once its socket is there and a client can connect.
        [[maybe_unused]] const bool ready = QTest::qWaitFor(
            [&] {
                for (const QString& name : runtime.entryList({"wayland-*"}, QDir::System)) {
                    m_display = before.contains(name) || name.endsWith(".lock") ? m_display : name;
                }
                return !m_display.isEmpty() &&
                       QProcess::execute(
                           "env", {"WAYLAND_DISPLAY=" + m_display, "wl-copy", "--clear"}) == 0;
            },
            10'000);
    }
    ~NestedCompositor() { goAway(); }
    QString display() const { return m_display; }
    void goAway() {
        m_sway.terminate();
        m_sway.waitForFinished(10'000);
    }

  private:
    QTemporaryFile m_config;
    QProcess m_sway;
    QString m_display;
};
