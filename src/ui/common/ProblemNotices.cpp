// SPDX-License-Identifier: MIT
#include "ui/common/ProblemNotices.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDebug>
#include <QDir>
#include <QVariantMap>

namespace {

// %1 to %9 filled in one pass, so that an argument holding "%2" (a path may) stays as it is.
QString filled(const QString& pattern, const QStringList& arguments) {
    QString out;
    out.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const int n = i + 1 < pattern.size() ? pattern.at(i + 1).digitValue() : -1;
        if (pattern.at(i) == u'%' && n >= 1 && n <= arguments.size()) {
            out += arguments.at(n - 1);
            ++i;
        } else {
            out += pattern.at(i);
        }
    }
    return out;
}

}  // namespace

ProblemNotices::ProblemNotices(Sender send, QObject* parent)
    : QObject(parent), m_send(std::move(send)) {}

void ProblemNotices::tell(const QString& english, const QStringList& arguments) {
    QStringList told = arguments;
    told.prepend(english);
    if (m_told.contains(told)) {
        return;
    }
    m_told.insert(told);
    QStringList translated;
    for (const QString& argument : arguments) {
        const QString shown = shownPath(argument);
        translated << (shown != argument ? shown
                                         : QCoreApplication::translate(
                                               "PrivateFiles", argument.toUtf8().constData()));
    }
    show(filled(tr(english.toUtf8().constData()), translated));
}

QString ProblemNotices::shownPath(const QString& path) {
    const QString home = QDir::homePath() + u'/';
    return path.startsWith(home) ? QStringLiteral("~/") + path.mid(home.size()) : path;
}

void ProblemNotices::show(const QString& body) {
    if (!m_send || !m_send(QStringLiteral("Quillstack"), body)) {
        // One of the few lines a release build lets through to standard error.
        qCritical().noquote() << QStringLiteral("Quillstack:") << body;
    }
}

ProblemNotices::Sender ProblemNotices::desktopNotifications() {
    return [](const QString& title, const QString& body) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        const QString service = QStringLiteral("org.freedesktop.Notifications");
        // Asked of the bus itself, which answers at once; the service may be started on demand.
        const auto* names = bus.interface();
        if (!bus.isConnected() || names == nullptr ||
            !(names->isServiceRegistered(service).value() ||
              names->activatableServiceNames().value().contains(service))) {
            return false;
        }
        QDBusMessage notify = QDBusMessage::createMethodCall(
            service, QStringLiteral("/org/freedesktop/Notifications"), service,
            QStringLiteral("Notify"));
        notify << QStringLiteral("Quillstack") << 0u << QStringLiteral("quillstack") << title
               << body << QStringList() << QVariantMap() << -1;
        // No reply awaited: a hung notification service must not stall the main thread.
        return bus.send(notify);
    };
}
