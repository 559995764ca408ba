#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

// The built application as a user of its own runs it: a fresh home with settings, cache,
// temporary and runtime folders, so no instance of another test or session answers or shares
// files. Its diagnostics are kept and shown when a test fails.
class AppProcess {
  public:
    struct Reply {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    // A returning user has finished the welcome guide, which then stays out of the way.
    explicit AppProcess(bool returningUser = true);
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    static QString binary();
    QProcessEnvironment environment() const { return m_environment; }
    void setEnvironment(const QString& name, const QString& value);
    QString filePath(const QString& relative) const { return m_home.filePath(relative); }

    // Starts it and waits until it listens for commands: by then it watches the clipboard and
    // holds its chord.
    [[nodiscard]] bool start(const QStringList& arguments = {"--language", "en"});
    // Another start in the same home, which hands its command to the running one.
    Reply command(const QStringList& arguments) const;
    // Sends `signal` (0: the caller made it quit) and expects a normal exit with status 0.
    [[nodiscard]] bool stop(int signal = SIGTERM);
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    bool isListening() const;

    // What it printed so far; standard output is kept apart.
    QByteArray log() const { return m_log; }
    QByteArray output() const { return m_output; }
    QStringList blobFiles() const;
    QByteArray settings() const;
    // Shows what it printed since the last call, if the current test has failed.
    void reportIfFailed();

  private:
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_process;
    QByteArray m_log;
    QByteArray m_output;
    qsizetype m_reported = 0;
};
