#include "platform/freedesktop/XdgAutostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

// Characters that make an Exec argument need double quotes.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

}  // namespace

XdgAutostart::XdgAutostart(QString configDir, QString execPath)
    : m_configDir(std::move(configDir)), m_execPath(std::move(execPath)) {}

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
    const QString path = entryPath();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return true;
    }
    return QFile::remove(path);
}
