// SPDX-License-Identifier: MIT
#include "platform/kde/KGlobalAccelHooks.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QObject>

#include "core/AppLogger.h"
#include "keys/KeyCodeTable.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

const QString kService = QStringLiteral("org.kde.kglobalaccel");
const QString kPath = QStringLiteral("/kglobalaccel");
const QString kInterface = QStringLiteral("org.kde.KGlobalAccel");
const QString kComponentInterface = QStringLiteral("org.kde.kglobalaccel.Component");
// setShortcut's flags: the shortcut is present now, and the keys given are the ones to keep
// (not the stored ones).
constexpr uint kSetPresent = 2;
constexpr uint kNoAutoloading = 4;

QDBusMessage call(const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(arguments);
    return message;
}

// Receives the component's presses; unregisters the action when it goes.
class ShortcutHandle final : public QObject, public HookHandle {
    Q_OBJECT
  public:
    ShortcutHandle(QDBusConnection bus, QStringList actionId, KeyboardHooks::KeyHandler onKeyDown,
                   KeyEvent chord)
        : m_bus(std::move(bus)),
          m_actionId(std::move(actionId)),
          m_onKeyDown(std::move(onKeyDown)),
          m_chord(chord) {}
    ~ShortcutHandle() override {
        m_bus.call(call(QStringLiteral("unregister"), {m_actionId.at(0), m_actionId.at(1)}),
                   QDBus::Block, 2000);
    }
    bool listen(const QString& componentPath) {
        return m_bus.connect(kService, componentPath, kComponentInterface,
                             QStringLiteral("globalShortcutPressed"), this,
                             SLOT(pressed(QString, QString, qlonglong)));
    }

  private Q_SLOTS:
    void pressed(const QString& component, const QString& action, qlonglong /*timestamp*/) {
        if (component == m_actionId.at(0) && action == m_actionId.at(1)) {
            m_onKeyDown(m_chord);
        }
    }

  private:
    QDBusConnection m_bus;
    QStringList m_actionId;
    KeyboardHooks::KeyHandler m_onKeyDown;
    KeyEvent m_chord;
};

}  // namespace

KGlobalAccelHooks::KGlobalAccelHooks(const QDBusConnection& bus, Names names,
                                     std::unique_ptr<KeyboardHooks> fallback)
    : m_bus(bus), m_names(std::move(names)), m_fallback(std::move(fallback)) {}

bool KGlobalAccelHooks::isOffered(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(kService).value();
}

std::optional<int> KGlobalAccelHooks::keySequence(quint16 keyCode, quint64 modifiers) {
    const std::optional<int> key = KeyCodeTable::qtKeyFor(keyCode);
    if (!key) {
        return std::nullopt;
    }
    int sequence = *key;
    if (modifiers & ModifierFlag::Shift) {
        sequence |= Qt::SHIFT;
    }
    if (modifiers & ModifierFlag::Control) {
        sequence |= Qt::CTRL;
    }
    if (modifiers & ModifierFlag::Alt) {
        sequence |= Qt::ALT;
    }
    if (modifiers & ModifierFlag::Super) {
        sequence |= Qt::META;
    }
    return sequence;
}

std::unique_ptr<HookHandle> KGlobalAccelHooks::interceptChord(quint16 keyCode, quint64 modifiers,
                                                              KeyHandler onKeyDown,
                                                              ChordRefusal* refusal) {
    const auto refuse = [&](ChordRefusal why, const QString& reason) {
        log(QStringLiteral("KGlobalAccelHooks: %1").arg(reason));
        if (refusal != nullptr) {
            *refusal = why;
        }
        return nullptr;
    };
    const std::optional<int> sequence = keySequence(keyCode, modifiers);
    if (!sequence) {
        return refuse(ChordRefusal::Unavailable, QStringLiteral("no key sequence for the chord"));
    }
    const QStringList actionId{m_names.component, m_names.action, m_names.componentFriendly,
                               m_names.actionFriendly};
    if (m_bus.call(call(QStringLiteral("doRegister"), {actionId})).type() ==
        QDBusMessage::ErrorMessage) {
        return refuse(ChordRefusal::Unavailable, QStringLiteral("KGlobalAccel does not answer"));
    }
    const QDBusReply<QDBusObjectPath> path =
        m_bus.call(call(QStringLiteral("getComponent"), {m_names.component}));
    auto handle = std::make_unique<ShortcutHandle>(m_bus, actionId, std::move(onKeyDown),
                                                   KeyEvent{keyCode, modifiers});
    if (!path.isValid() || !handle->listen(path.value().path())) {
        return refuse(ChordRefusal::Unavailable, QStringLiteral("no component to listen to"));
    }
    // KGlobalAccel answers with the keys it gave: none when another component holds them.
    const QDBusReply<QList<int>> given = m_bus.call(
        call(QStringLiteral("setShortcut"),
             {actionId, QVariant::fromValue(QList<int>{*sequence}), kSetPresent | kNoAutoloading}));
    if (!given.isValid() || !given.value().contains(*sequence)) {
        return refuse(ChordRefusal::HeldElsewhere,
                      QStringLiteral("KGlobalAccel gave the chord to another component"));
    }
    log(QStringLiteral("KGlobalAccelHooks: chord registered"));
    return handle;
}

std::unique_ptr<HookHandle> KGlobalAccelHooks::observeGlobalKeyDowns(KeyHandler onKeyDown) {
    return m_fallback ? m_fallback->observeGlobalKeyDowns(std::move(onKeyDown)) : nullptr;
}

std::unique_ptr<HookHandle> KGlobalAccelHooks::observeLocalKeyDowns(KeyFilter filter) {
    return m_fallback ? m_fallback->observeLocalKeyDowns(std::move(filter)) : nullptr;
}

#include "KGlobalAccelHooks.moc"
