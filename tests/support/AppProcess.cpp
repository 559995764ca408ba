#include "AppProcess.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

AppProcess::AppProcess(bool returningUser) {
    for (const char* sub : {"config/Quillstack", "cache", "tmp"}) {
        QDir(m_home.path()).mkpath(QString::fromLatin1(sub));
    }
    ::mkdir(QFile::encodeName(m_home.filePath("run")).constData(), 0700);
    if (returningUser) {
        QFile file(m_home.filePath("config/Quillstack/Quillstack.conf"));
        if (file.open(QIODevice::WriteOnly)) {
            file.write("[General]\nonboardingCompleted=true\n");
        }
    }
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert("HOME", m_home.path());
    m_environment.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
    m_environment.insert("XDG_CACHE_HOME", m_home.filePath("cache"));
    m_environment.insert("TMPDIR", m_home.filePath("tmp"));
    m_environment.insert("XDG_RUNTIME_DIR", m_home.filePath("run"));
    QObject::connect(&m_process, &QProcess::readyReadStandardError,
                     [this] { m_log += m_process.readAllStandardError(); });
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput,
                     [this] { m_output += m_process.readAllStandardOutput(); });
}

AppProcess::~AppProcess() {
    if (isRunning()) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    reportIfFailed();
}

QString AppProcess::binary() {
    const QByteArray dir = qEnvironmentVariableIsSet("QUILLSTACK_BINARY_DIR")
                               ? qgetenv("QUILLSTACK_BINARY_DIR")
                               : QByteArray(QUILLSTACK_BINARY_DIR);
    return QFile::decodeName(dir) + QStringLiteral("/src/quillstack");
}

void AppProcess::setEnvironment(const QString& name, const QString& value) {
    m_environment.insert(name, value);
}

bool AppProcess::start(const QStringList& arguments) {
    m_process.setProcessEnvironment(m_environment);
    m_process.start(binary(), arguments);
    // Sanitizers and a busy machine can make a debug build's start take many seconds.
    const bool ready = m_process.waitForStarted(10000) &&
                       QTest::qWaitFor([this] { return isListening() || !isRunning(); }, 60000) &&
                       isRunning();
    if (!ready) {
        qWarning("%s did not get ready:\n%s", qPrintable(binary()), m_log.constData());
    }
    return ready;
}

AppProcess::Reply AppProcess::command(const QStringList& arguments) const {
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.start(binary(), arguments);
    const bool finished = process.waitForFinished(30000);
    return {finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

bool AppProcess::stop(int signal) {
    if (signal != 0 && isRunning()) {
        ::kill(pid_t(m_process.processId()), signal);
    }
    if (isRunning() && !m_process.waitForFinished(30000)) {
        qWarning("it did not exit");
        return false;
    }
    m_log += m_process.readAllStandardError();
    m_output += m_process.readAllStandardOutput();
    if (m_process.exitStatus() != QProcess::NormalExit || m_process.exitCode() != 0) {
        qWarning("it exited with status %d%s:\n%s", m_process.exitCode(),
                 m_process.exitStatus() == QProcess::CrashExit ? " (crashed)" : "",
                 m_log.constData());
        m_reported = m_log.size();
        return false;
    }
    return true;
}

bool AppProcess::isListening() const {
    return QFile::exists(m_environment.value("XDG_RUNTIME_DIR") + "/quillstack/quillstack.socket");
}

QStringList AppProcess::blobFiles() const {
    return QDir(filePath("tmp/quillstack-%1/QuillstackBlobs").arg(::geteuid()))
        .entryList(QDir::Files | QDir::Hidden);
}

QByteArray AppProcess::settings() const {
    return contents(filePath("config/Quillstack/Quillstack.conf"));
}

void AppProcess::reportIfFailed() {
    if (QTest::currentTestFailed() && m_log.size() > m_reported) {
        qWarning("application log:\n%s", m_log.mid(m_reported).constData());
    }
    m_reported = m_log.size();
}
