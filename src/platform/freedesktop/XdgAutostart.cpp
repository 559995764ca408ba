// SPDX-License-Identifier: MIT
#include "platform/freedesktop/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

// Characters that make an Exec argument need double quotes.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

// Whether an entry, read as a launcher reads it, starts the program: the desktops' startup
// settings turn one off with Hidden=true (KDE) or X-GNOME-Autostart-enabled=false (GNOME),
// keys of the main group, with blanks around '=' allowed.
bool enables(QFile& entry) {
    if (!entry.open(QIODevice::ReadOnly)) {
        return false;
    }
    bool mainGroup = false;
    for (const QByteArray& raw : entry.read(64 * 1024).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            mainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!mainGroup || equals < 0) {
            continue;
        }
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            return false;
        }
    }
    return true;
}

}  // namespace

XdgAutostart::XdgAutostart(QString configDir, QString execPath, QStringList systemConfigDirs,
                           bool buildTree)
    : m_configDir(std::move(configDir)),
      m_execPath(std::move(execPath)),
      m_systemConfigDirs(std::move(systemConfigDirs)),
      m_buildTree(buildTree) {}

bool XdgAutostart::isRegistered() const {
    if (QFile own(entryPath()); own.exists()) {
        return enables(own);
    }
    for (const QString& dir : m_systemConfigDirs) {
        if (QFile packaged(dir + QStringLiteral("/autostart/quillstack.desktop"));
            packaged.exists()) {
            return enables(packaged);
        }
    }
    return false;
}

QString XdgAutostart::entryPath() const {
    return m_configDir + QStringLiteral("/autostart/quillstack.desktop");
}

QString XdgAutostart::execArgument(const QString& argument) {
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument) {
        if (kReserved.contains(c)) {
            needsQuotes = true;
            break;
        }
    }
    QString quoted;
    if (needsQuotes) {
        quoted += u'"';
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
                quoted += u'\\';
            }
            quoted += c;
        }
        quoted += u'"';
    } else {
        quoted = argument;
    }
    // The string-value escapes are undone before the quoting, and '%' starts a field code.
    QString value;
    for (const QChar c : quoted) {
        if (c == u'\\') {
            value += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            value += QStringLiteral("\\n");
        } else if (c == u'\t') {
            value += QStringLiteral("\\t");
        } else if (c == u'\r') {
            value += QStringLiteral("\\r");
        } else if (c == u'%') {
            value += QStringLiteral("%%");
        } else {
            value += c;
        }
    }
    return value;
}

bool XdgAutostart::registerApp() {
    if (m_configDir.isEmpty() || !QDir::isAbsolutePath(m_execPath)) {
        return false;
    }
    const QString folder = m_configDir + QStringLiteral("/autostart");
    if (!QDir().mkpath(folder)) {
        return false;
    }
    const QString entry = QStringLiteral(
                              "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Quillstack\n"
                              "Icon=quillstack\n"
                              "Exec=") +
                          execArgument(m_execPath) +
                          QStringLiteral(
                              "\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n"
                              "NoDisplay=false\n");
    // The entry takes the place of a link there: a save through it would overwrite whatever
    // file it points to.
    if (QFileInfo(entryPath()).isSymLink() && !QFile::remove(entryPath())) {
        return false;
    }
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = entry.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool XdgAutostart::unregisterApp() {
    // Only an entry we wrote goes: a link or a file of the user's is left as it is.
    const QString path = entryPath();
    const QByteArray exec = "\nExec=" + execArgument(m_execPath).toUtf8() + '\n';
    if (QFile file(path); !QFileInfo(path).isSymLink() && file.open(QIODevice::ReadOnly) &&
                          file.read(64 * 1024).contains(exec)) {
        file.close();
        if (!QFile::remove(path)) {
            return false;
        }
    }
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink() || !isRegistered()) {
        return true;
    }
    // A packaged entry is still in force: a file of ours hides it.
    QSaveFile hidden(path);
    const QByteArray entry =
        "[Desktop Entry]\nType=Application\nName=Quillstack" + exec + "Hidden=true\n";
    return QDir().mkpath(QFileInfo(path).absolutePath()) && hidden.open(QIODevice::WriteOnly) &&
           hidden.write(entry) == entry.size() && hidden.commit();
}
