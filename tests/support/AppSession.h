#pragma once

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <sys/stat.h>

// The built application, and a user of its own to run it as: home, settings, cache, temporary
// and runtime folders, so no instance of another test or session answers or shares files.
inline QString applicationPath() {
    const QString dir = qEnvironmentVariableIsSet("QUILLSTACK_BINARY_DIR")
                            ? qEnvironmentVariable("QUILLSTACK_BINARY_DIR")
                            : QStringLiteral(QUILLSTACK_BINARY_DIR);
    return dir + QStringLiteral("/src/quillstack");
}

class AppSession {
  public:
    AppSession() {
        for (const char* sub : {"config", "cache", "tmp"}) {
            QDir(m_home.path()).mkpath(QString::fromLatin1(sub));
        }
        ::mkdir(QFile::encodeName(m_home.filePath("run")).constData(), 0700);
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        env.insert("XDG_CACHE_HOME", m_home.filePath("cache"));
        env.insert("TMPDIR", m_home.filePath("tmp"));
        env.insert("XDG_RUNTIME_DIR", m_home.filePath("run"));
        return env;
    }
    QString filePath(const QString& relative) const { return m_home.filePath(relative); }

  private:
    QTemporaryDir m_home;
};

// A returning user: no welcome guide in the way.
inline void markOnboarded(const AppSession& session) {
    QDir(session.filePath("config")).mkpath("Quillstack");
    QFile file(session.filePath("config/Quillstack/Quillstack.conf"));
    if (file.open(QIODevice::WriteOnly)) {
        file.write("[General]\nonboardingCompleted=true\n");
    }
}
