// SPDX-License-Identifier: MIT
#include "platform/wayland/WaylandKeyInjector.h"

#include <fcntl.h>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <utility>

#include "core/AppLogger.h"
#include "platform/wayland/WaylandSession.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

// The compositor drops keys from a virtual keyboard that come right after its keymap.
constexpr qint64 kKeymapSettleMs = 50;

struct ModifierKey {
    quint64 flag;
    quint32 evdev;
    const char* xkbName;
};
constexpr ModifierKey kModifierKeys[] = {
    {ModifierFlag::Control, KEY_LEFTCTRL, XKB_MOD_NAME_CTRL},
    {ModifierFlag::Shift, KEY_LEFTSHIFT, XKB_MOD_NAME_SHIFT},
    {ModifierFlag::Alt, KEY_LEFTALT, XKB_MOD_NAME_ALT},
    {ModifierFlag::Super, KEY_LEFTMETA, XKB_MOD_NAME_LOGO},
};

struct XkbDeleter {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
    void operator()(char* text) const { std::free(text); }
};

quint32 monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return quint32(quint64(now.tv_sec) * 1000 + quint64(now.tv_nsec) / 1'000'000);
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= size_t(written);
    }
    return true;
}

}  // namespace

WaylandKeyInjector::WaylandKeyInjector(WaylandSession& session) : m_session(session) {
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setTimerType(Qt::PreciseTimer);
    m_settleTimer.callOnTimeout([this] { sendQueued(); });
    zwp_virtual_keyboard_manager_v1* manager = session.virtualKeyboardManager();
    if (!manager || !session.seat()) {
        log(QStringLiteral("WaylandKeyInjector: the compositor offers no virtual keyboard"));
        return;
    }
    m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, session.seat());
    if (!uploadKeymap()) {
        log(QStringLiteral("WaylandKeyInjector: no keymap for the virtual keyboard"));
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
        m_keyboard = nullptr;
        m_session.flush();
        return;
    }
    m_sinceKeymap.start();
}

WaylandKeyInjector::~WaylandKeyInjector() {
    if (m_keyboard) {
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
        m_session.flush();
    }
}

bool WaylandKeyInjector::uploadKeymap() {
    const std::unique_ptr<xkb_context, XkbDeleter> context(
        xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    if (!context) {
        return false;
    }
    const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
    const std::unique_ptr<xkb_keymap, XkbDeleter> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) {
        return false;
    }
    for (size_t i = 0; i < std::size(kModifierKeys); ++i) {
        const xkb_mod_index_t index =
            xkb_keymap_mod_get_index(keymap.get(), kModifierKeys[i].xkbName);
        m_modifierMasks[i] = index < 32 ? 1u << index : 0;
    }
    const std::unique_ptr<char, XkbDeleter> text(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1));
    if (!text) {
        return false;
    }
    // The compositor maps the file and reads it as a string: the terminating NUL goes too. The
    // seals keep it from changing under the compositor's mapping.
    const size_t size = std::strlen(text.get()) + 1;
    const int fd = memfd_create("quillstack-keymap", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0) {
        return false;
    }
    const bool written =
        writeAll(fd, text.get(), size) &&
        fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) == 0;
    if (written) {
        zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       quint32(size));
    }
    // The request holds a duplicate of the descriptor until it is sent.
    ::close(fd);
    return written && m_session.flush();
}

bool WaylandKeyInjector::postPasteKeystroke(const Keystroke& keystroke) {
    if (!m_keyboard || !m_session.isConnected()) {
        return false;
    }
    if (!KeyCode::isKey(keystroke.keyCode)) {
        return false;
    }
    const qint64 sinceKeymap = m_sinceKeymap.elapsed();
    if (!m_queued.isEmpty() || sinceKeymap < kKeymapSettleMs) {
        // Behind the keymap, and behind any keystroke already waiting, so the order holds.
        m_queued.append(keystroke);
        if (!m_settleTimer.isActive()) {
            m_settleTimer.start(int(std::max<qint64>(0, kKeymapSettleMs - sinceKeymap)));
        }
        log(QStringLiteral("WaylandKeyInjector: keystroke waits for the keymap (%1 queued)")
                .arg(m_queued.size()));
        return true;
    }
    send(keystroke, keystroke.keyCode - KeyCode::EvdevOffset);
    return m_session.flush();
}

void WaylandKeyInjector::sendQueued() {
    const qint64 sinceKeymap = m_sinceKeymap.elapsed();
    if (sinceKeymap < kKeymapSettleMs) {
        m_settleTimer.start(int(kKeymapSettleMs - sinceKeymap));
        return;
    }
    const QList<Keystroke> queued = std::exchange(m_queued, {});
    if (!m_keyboard || !m_session.isConnected()) {
        log(QStringLiteral("WaylandKeyInjector: %1 queued keystrokes lost with the connection")
                .arg(queued.size()));
        return;
    }
    for (const Keystroke& keystroke : queued) {
        // Checked when queued.
        send(keystroke, keystroke.keyCode - KeyCode::EvdevOffset);
    }
    m_session.flush();
}

void WaylandKeyInjector::send(const Keystroke& keystroke, quint32 key) {
    const quint32 time = monotonicMs();
    // The modifier keys' own events for clients that track keys, the modifier state for those
    // that read it: the compositor does not derive one from the other for a virtual keyboard.
    quint32 depressed = 0;
    for (size_t i = 0; i < std::size(kModifierKeys); ++i) {
        if ((keystroke.modifiers & kModifierKeys[i].flag) != 0) {
            zwp_virtual_keyboard_v1_key(m_keyboard, time, kModifierKeys[i].evdev,
                                        WL_KEYBOARD_KEY_STATE_PRESSED);
            depressed |= m_modifierMasks[i];
        }
    }
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, depressed, 0, 0, 0);
    zwp_virtual_keyboard_v1_key(m_keyboard, time, key, WL_KEYBOARD_KEY_STATE_PRESSED);
    zwp_virtual_keyboard_v1_key(m_keyboard, time, key, WL_KEYBOARD_KEY_STATE_RELEASED);
    for (size_t i = std::size(kModifierKeys); i-- > 0;) {
        if ((keystroke.modifiers & kModifierKeys[i].flag) != 0) {
            zwp_virtual_keyboard_v1_key(m_keyboard, time, kModifierKeys[i].evdev,
                                        WL_KEYBOARD_KEY_STATE_RELEASED);
        }
    }
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, 0, 0, 0, 0);
    log(QStringLiteral("WaylandKeyInjector: sent key %1 with modifiers 0x%2")
            .arg(key)
            .arg(depressed, 0, 16));
}
