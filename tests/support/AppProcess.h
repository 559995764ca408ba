// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "TestHelpers.h"
#include "platform/freedesktop/PrivateTempDirectory.h"

// The built application as a user of its own runs it: a fresh home with settings, cache,
// temporary and runtime folders, so no instance of another test or session answers or shares
// files. What it prints is kept and shown when a test fails.
class AppProcess {
  public:
    struct Reply {
        int exitCode = -1;
        QByteArray out, err;
    };
    // A returning user has finished the welcome guide, which then stays out of the way.
    explicit AppProcess(bool returningUser = true) {
        QDir(m_home.path()).mkpath("config/Quillstack");
        if (QFile file(filePath("config/Quillstack/Quillstack.conf"));
            returningUser && file.open(QIODevice::WriteOnly)) {
            file.write("[General]\nonboardingCompleted=true\n");
        }
        m_environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, sub] : {std::pair{"HOME", ""},
                                        {"XDG_CONFIG_HOME", "config"},
                                        {"XDG_CACHE_HOME", "cache"},
                                        {"XDG_DATA_HOME", "data"},
                                        {"TMPDIR", "tmp"},
                                        {"XDG_RUNTIME_DIR", "run"}}) {
            m_environment.insert(name, m_home.filePath(sub));
            ::mkdir(QFile::encodeName(m_home.filePath(sub)).constData(), 0700);
        }
        QObject::connect(&m_process, &QProcess::readyReadStandardError,
                         [this] { m_log += m_process.readAllStandardError(); });
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput,
                         [this] { m_output += m_process.readAllStandardOutput(); });
    }
    ~AppProcess() {
        m_process.kill();
        m_process.waitForFinished(5000);
        reportIfFailed();
    }

    static QString binary() {
        return qEnvironmentVariable("QUILLSTACK_BINARY_DIR", QUILLSTACK_BINARY_DIR) +
               "/src/quillstack";
    }
    QProcessEnvironment environment() const { return m_environment; }
    void setEnvironment(const QString& name, const QString& value) {
        m_environment.insert(name, value);
    }
    QString filePath(const QString& relative) const { return m_home.filePath(relative); }

    // Starts it and waits until it listens for commands: by then it watches the clipboard and
    // holds its chord. Sanitizers on a busy machine can make that take many seconds.
    [[nodiscard]] bool start(const QStringList& arguments = {"--language", "en"}) {
        m_process.setProcessEnvironment(m_environment);
        m_process.start(binary(), arguments);
        if (m_process.waitForStarted(10000) &&
            QTest::qWaitFor([this] { return isListening() || !isRunning(); }, 60000) &&
            isRunning()) {
            return true;
        }
        qWarning("%s did not get ready:\n%s", qPrintable(binary()), m_log.constData());
        return false;
    }
    // Another start in the same home, which hands its command to the running one.
    Reply command(const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(binary(), arguments);
        const bool exited =
            process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
        return {exited ? process.exitCode() : -1, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
    // Sends `signal` (0: the caller made it quit) and expects a normal exit with status 0.
    [[nodiscard]] bool stop(int signal = SIGTERM) {
        if (signal != 0 && isRunning()) {
            ::kill(pid_t(m_process.processId()), signal);
        }
        if (isRunning() && !m_process.waitForFinished(30000)) {
            qWarning("it did not exit");
            return false;
        }
        m_log += m_process.readAllStandardError();
        m_output += m_process.readAllStandardOutput();
        const bool clean =
            m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        if (!clean) {
            qWarning("it exited with status %d%s:\n%s", m_process.exitCode(),
                     m_process.exitStatus() == QProcess::CrashExit ? " (crashed)" : "",
                     m_log.mid(std::exchange(m_reported, m_log.size())).constData());
        }
        return clean;
    }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    bool isListening() const { return QFile::exists(instanceFolder() + "/quillstack.socket"); }
    // Where the lock, the socket and the blob files are expected: relative to the home, or a
    // session's own runtime folder.
    void setInstanceFolder(const QString& folder) { m_instanceFolder = folder; }
    QString instanceFolder() const {
        const QString folder = QDir::isAbsolutePath(m_instanceFolder)
                                   ? m_instanceFolder
                                   : m_home.filePath(m_instanceFolder);
        const QString display = PrivateTempDirectory::displayFolderName(
            m_environment.value("WAYLAND_DISPLAY"), m_environment.value("DISPLAY"));
        return display.isEmpty() ? folder : folder + u'/' + display;
    }

    QByteArray log() const { return m_log; }  // standard error; standard output is apart
    QByteArray output() const { return m_output; }
    QStringList blobFiles() const {
        return QDir(instanceFolder() + "/QuillstackBlobs").entryList(QDir::Files | QDir::Hidden);
    }
    QByteArray settings() const { return readFile(filePath("config/Quillstack/Quillstack.conf")); }
    // Shows what it printed since the last call, if the current test has failed.
    void reportIfFailed() {
        if (QTest::currentTestFailed() && m_log.size() > m_reported) {
            qWarning("application log:\n%s", m_log.mid(m_reported).constData());
        }
        m_reported = m_log.size();
    }

  private:
    QTemporaryDir m_home;
    QString m_instanceFolder = QStringLiteral("run/quillstack");
    QProcessEnvironment m_environment;
    QProcess m_process;
    QByteArray m_log, m_output;
    qsizetype m_reported = 0;
};
