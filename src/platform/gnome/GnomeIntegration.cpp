// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeIntegration.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "core/AppLogger.h"
#include "platform/gnome/GnomeShellBridge.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

const QString kShell = QStringLiteral("org.gnome.Shell");
const QString kShellPath = QStringLiteral("/org/gnome/Shell");
const QString kExtensions = QStringLiteral("org.gnome.Shell.Extensions");

QDBusMessage extensionsCall(const QString& method) {
    return QDBusMessage::createMethodCall(kShell, kShellPath, kExtensions, method);
}

// Whether the extension's files are where the Shell looks for them.
bool isInstalled(const QString& uuid) {
    QStringList roots{QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)};
    roots += QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& root : roots) {
        if (QFileInfo::exists(root + QStringLiteral("/gnome-shell/extensions/") + uuid +
                              QStringLiteral("/metadata.json"))) {
            return true;
        }
    }
    return false;
}

// Runs gsettings without waiting; `done` gets its output, nothing when it failed.
void gsettings(QObject* context, const QStringList& arguments,
               std::function<void(std::optional<QString>)> done) {
    auto* process = new QProcess(context);
    QObject::connect(
        process, &QProcess::finished, context,
        [process, done](int code, QProcess::ExitStatus status) {
            process->deleteLater();
            const bool ok = status == QProcess::NormalExit && code == 0;
            done(ok ? std::optional(QString::fromUtf8(process->readAllStandardOutput()))
                    : std::nullopt);
        });
    QObject::connect(process, &QProcess::errorOccurred, context,
                     [process, done](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             process->deleteLater();
                             done(std::nullopt);
                         }
                     });
    process->start(QStringLiteral("gsettings"), arguments);
}

}  // namespace

GnomeIntegration::GnomeIntegration(GnomeShellBridge& bridge, QDBusConnection bus, QObject* parent)
    : DesktopIntegration(parent), m_bridge(bridge), m_bus(std::move(bus)) {
    connect(&bridge, &GnomeShellBridge::connectedChanged, this,
            &DesktopIntegration::missingChanged);
}

bool GnomeIntegration::isMissing() const {
    return !m_bridge.isConnected();
}

QString GnomeIntegration::uuidFor(const QString& shellVersion) {
    // 45 changed extensions to ES modules; older Shells load the other form.
    return shellVersion.section(u'.', 0, 0).toInt() >= 45
               ? QStringLiteral("quillstack@quillstack.github.io")
               : QStringLiteral("quillstack-gnome43@quillstack.github.io");
}

std::optional<QString> GnomeIntegration::withEnabled(const QString& printed, const QString& uuid) {
    const QString value = printed.trimmed();
    static const QRegularExpression list(QStringLiteral(R"(^(@as\s*)?\[(.*)\]$)"));
    const QRegularExpressionMatch whole = list.match(value);
    if (!whole.hasMatch()) {
        return std::nullopt;
    }
    QStringList uuids;
    static const QRegularExpression item(QStringLiteral(R"(\s*'([^'\\]*)'\s*(,|$))"));
    const QString body = whole.captured(2);
    qsizetype at = 0;
    while (at < body.size()) {
        const QRegularExpressionMatch m = item.match(body, at, QRegularExpression::NormalMatch,
                                                     QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch()) {
            return std::nullopt;
        }
        uuids << m.captured(1);
        at = m.capturedEnd();
    }
    if (!uuids.contains(uuid)) {
        uuids << uuid;
    }
    for (QString& each : uuids) {
        each = u'\'' + each + u'\'';
    }
    return u'[' + uuids.join(QStringLiteral(", ")) + u']';
}

void GnomeIntegration::enable(std::function<void(Outcome)> done) {
    QDBusMessage version = QDBusMessage::createMethodCall(
        kShell, kShellPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    version << kExtensions << QStringLiteral("ShellVersion");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(version), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, done](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusMessage reply = w->reply();
                if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
                    log(QStringLiteral("GnomeIntegration: no Shell: %1").arg(reply.errorMessage()));
                    done(Outcome::Failed);
                    return;
                }
                const QString uuid =
                    uuidFor(reply.arguments().first().value<QDBusVariant>().variant().toString());
                if (!isInstalled(uuid)) {
                    log(QStringLiteral("GnomeIntegration: %1 is not installed").arg(uuid));
                    done(Outcome::Failed);
                    return;
                }
                QDBusMessage request = extensionsCall(QStringLiteral("EnableExtension"));
                request << uuid;
                auto* enabling = new QDBusPendingCallWatcher(m_bus.asyncCall(request), this);
                connect(enabling, &QDBusPendingCallWatcher::finished, this,
                        [this, done, uuid](QDBusPendingCallWatcher* e) {
                            e->deleteLater();
                            const QDBusMessage answer = e->reply();
                            // The Shell refuses an extension it has not loaded.
                            if (answer.type() == QDBusMessage::ReplyMessage &&
                                !answer.arguments().isEmpty() &&
                                answer.arguments().first().toBool()) {
                                done(Outcome::Enabled);
                            } else {
                                enableAtLogin(uuid, done);
                            }
                        });
            });
}

void GnomeIntegration::enableAtLogin(const QString& uuid, std::function<void(Outcome)> done) {
    const QString schema = QStringLiteral("org.gnome.shell");
    const QString key = QStringLiteral("enabled-extensions");
    gsettings(this, {QStringLiteral("get"), schema, key},
              [this, done, uuid, schema, key](std::optional<QString> printed) {
                  const std::optional<QString> value =
                      printed ? withEnabled(*printed, uuid) : std::nullopt;
                  if (!value) {
                      done(Outcome::Failed);
                      return;
                  }
                  gsettings(this, {QStringLiteral("set"), schema, key, *value},
                            [done](std::optional<QString> set) {
                                done(set ? Outcome::NeedsLogin : Outcome::Failed);
                            });
              });
}
