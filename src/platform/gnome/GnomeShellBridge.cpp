// SPDX-License-Identifier: MIT
#include "platform/gnome/GnomeShellBridge.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

#include "core/AppLogger.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

// The indicator's rows as the bus carries them: a(ss).
Q_DECLARE_METATYPE(StatusIndicator::Row)

QDBusArgument& operator<<(QDBusArgument& argument, const StatusIndicator::Row& row) {
    argument.beginStructure();
    argument << row.id << row.text;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, StatusIndicator::Row& row) {
    argument.beginStructure();
    argument >> row.id >> row.text;
    argument.endStructure();
    return argument;
}

namespace {

const QString kService = QStringLiteral("io.github.quillstack.ShellBridge");
const QString kPath = QStringLiteral("/io/github/quillstack/ShellBridge");
const QString kInterface = QStringLiteral("io.github.quillstack.ShellBridge1");
constexpr uint kVersion = 1;

ShellWindow windowFrom(const QVariant& value) {
    ShellWindow window;
    if (!value.canConvert<QDBusArgument>()) {
        return window;
    }
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(tssus)")) {
        return window;
    }
    uint pid = 0;
    argument.beginStructure();
    argument >> window.id >> window.wmClass >> window.appId >> pid >> window.title;
    argument.endStructure();
    window.pid = pid;
    return window;
}

}  // namespace

GnomeShellBridge::GnomeShellBridge(QDBusConnection bus, QObject* parent)
    : QObject(parent),
      m_bus(std::move(bus)),
      m_watcher(new QDBusServiceWatcher(kService, m_bus, QDBusServiceWatcher::WatchForOwnerChange,
                                        this)) {
    qDBusRegisterMetaType<QList<quint32>>();
    qDBusRegisterMetaType<StatusIndicator::Row>();
    qDBusRegisterMetaType<QList<StatusIndicator::Row>>();
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                setConnected(false);
                if (!newOwner.isEmpty()) {
                    sayHello();
                }
            });
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("AcceleratorActivated"), this,
                  SLOT(onAcceleratorActivated(uint)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("FocusChanged"), this,
                  SLOT(onFocusChanged(QDBusMessage)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("IndicatorActivated"), this,
                  SIGNAL(indicatorActivated(QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("IndicatorShown"), this,
                  SIGNAL(indicatorShown(bool)));
    if (isPresent(m_bus)) {
        sayHello();
    }
}

GnomeShellBridge::~GnomeShellBridge() {
    for (const auto& [handle, grab] : m_grabs) {
        if (grab.action != 0) {
            QDBusMessage ungrab = QDBusMessage::createMethodCall(
                kService, kPath, kInterface, QStringLiteral("UngrabAccelerator"));
            ungrab << grab.action;
            m_bus.send(ungrab);
        }
    }
}

bool GnomeShellBridge::isPresent(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() != nullptr &&
           bus.interface()->isServiceRegistered(kService).value();
}

QDBusMessage GnomeShellBridge::call(const QString& method) const {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

void GnomeShellBridge::sayHello() {
    auto* watcher =
        new QDBusPendingCallWatcher(m_bus.asyncCall(call(QStringLiteral("Hello"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        // A newer extension keeps answering version 1 callers; an older one cannot serve us.
        if (reply.isError() || reply.value() < kVersion) {
            log(QStringLiteral("GnomeShellBridge: Hello refused: %1").arg(reply.error().message()));
            return;
        }
        for (auto& [handle, grab] : m_grabs) {
            grab.action = grabNow(grab.accelerator);
        }
        setConnected(true);
        auto* focus =
            new QDBusPendingCallWatcher(m_bus.asyncCall(call(QStringLiteral("GetFocus"))), this);
        connect(
            focus, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* f) {
                f->deleteLater();
                const QDBusMessage answer = f->reply();
                if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()) {
                    m_focused = windowFrom(answer.arguments().first());
                }
            });
    });
}

void GnomeShellBridge::setConnected(bool connected) {
    if (!connected) {
        // Action ids die with the Shell that gave them.
        for (auto& [handle, grab] : m_grabs) {
            grab.action = 0;
        }
        m_focused = ShellWindow();
    }
    if (m_connected != connected) {
        m_connected = connected;
        Q_EMIT connectedChanged(connected);
    }
}

uint GnomeShellBridge::grabNow(const QString& accelerator) {
    QDBusMessage request = call(QStringLiteral("GrabAccelerator"));
    request << accelerator;
    const QDBusMessage reply = m_bus.call(request, QDBus::Block, grabTimeoutMs);
    const uint action = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                            ? reply.arguments().first().toUInt()
                            : 0;
    log(QStringLiteral("GnomeShellBridge: grab %1 -> %2 %3")
            .arg(accelerator)
            .arg(action)
            .arg(reply.errorMessage()));
    return action;
}

int GnomeShellBridge::grab(const QString& accelerator, std::function<void()> onActivated) {
    uint action = 0;
    if (m_connected) {
        action = grabNow(accelerator);
        if (action == 0) {
            return 0;
        }
    }
    const int handle = m_nextHandle++;
    m_grabs[handle] = Grab{accelerator, std::move(onActivated), action};
    return handle;
}

void GnomeShellBridge::ungrab(int handle) {
    const auto it = m_grabs.find(handle);
    if (it == m_grabs.end()) {
        return;
    }
    if (it->second.action != 0 && m_connected) {
        QDBusMessage request = call(QStringLiteral("UngrabAccelerator"));
        request << it->second.action;
        m_bus.send(request);
    }
    m_grabs.erase(it);
}

bool GnomeShellBridge::typeKeys(const QList<quint32>& keysyms) {
    if (!m_connected) {
        return false;
    }
    QDBusMessage request = call(QStringLiteral("TypeKeys"));
    request << QVariant::fromValue(keysyms);
    return m_bus.send(request);
}

void GnomeShellBridge::activate(quint64 window) {
    if (!m_connected || window == 0) {
        return;
    }
    QDBusMessage request = call(QStringLiteral("ActivateWindow"));
    request << window;
    m_bus.send(request);
}

void GnomeShellBridge::setIndicator(const QList<StatusIndicator::Row>& rows, bool paused) {
    if (!m_connected) {
        return;
    }
    QDBusMessage request = call(QStringLiteral("SetIndicator"));
    request << QVariant::fromValue(rows) << paused;
    m_bus.send(request);
}

void GnomeShellBridge::onAcceleratorActivated(uint action) {
    for (const auto& [handle, grab] : m_grabs) {
        if (grab.action == action && action != 0 && grab.onActivated) {
            grab.onActivated();
            return;
        }
    }
}

void GnomeShellBridge::onFocusChanged(const QDBusMessage& message) {
    if (!message.arguments().isEmpty()) {
        m_focused = windowFrom(message.arguments().first());
    }
}
