// SPDX-License-Identifier: MIT
#include "platform/x11/X11KeyboardHooks.h"

#include <QGuiApplication>
#include <QPointer>

#include <xcb/xinput.h>

#include <cstdlib>
#include <cstring>

#include "core/AppLogger.h"
#include "platform/x11/X11Connection.h"

QUILLSTACK_DEFINE_COMPONENT_LOG

namespace {

class CallbackHandle final : public HookHandle {
  public:
    explicit CallbackHandle(std::function<void()> release) : m_release(std::move(release)) {}
    ~CallbackHandle() override { m_release(); }

  private:
    std::function<void()> m_release;
};

// xcb/xkb.h does not compile as C++ (a member named "explicit"), so the two XKB event kinds
// are spelled out here.
constexpr quint8 kXkbNewKeyboardNotify = 0;
constexpr quint8 kXkbMapNotify = 1;

quint8 xkbFirstEvent(xcb_connection_t* c) {
    static const char kName[] = "XKEYBOARD";
    auto cookie = xcb_query_extension(c, sizeof(kName) - 1, kName);
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(c, cookie, nullptr);
    const quint8 first = reply != nullptr && reply->present ? reply->first_event : 0;
    std::free(reply);
    return first;
}

// The raw-event selection belongs to the client, not to one hooks object: the last observer on
// a connection switches it off.
std::map<xcb_connection_t*, int>& rawSelections() {
    static std::map<xcb_connection_t*, int> counts;
    return counts;
}

}  // namespace

X11KeyboardHooks::X11KeyboardHooks(xcb_connection_t* connection, xcb_window_t root,
                                   SyntheticInput synthetic)
    : m_connection(connection), m_root(root), m_synthetic(synthetic), m_keymap(connection) {
    if (m_connection == nullptr || xcb_connection_has_error(m_connection) != 0) {
        m_connection = nullptr;
        return;
    }
    m_keymap.refresh();
    m_xkbFirstEvent = xkbFirstEvent(m_connection);
    const xcb_query_extension_reply_t* xi = xcb_get_extension_data(m_connection, &xcb_input_id);
    if (xi != nullptr && xi->present) {
        m_xinputOpcode = xi->major_opcode;
        auto cookie = xcb_input_xi_query_version(m_connection, 2, 2);
        xcb_generic_error_t* error = nullptr;
        xcb_input_xi_query_version_reply_t* reply =
            xcb_input_xi_query_version_reply(m_connection, cookie, &error);
        if (reply != nullptr) {
            m_hasXInput22 = reply->major_version > 2 ||
                            (reply->major_version == 2 && reply->minor_version >= 2);
        } else if (error != nullptr && error->error_code == XCB_VALUE) {
            // Refused only because Qt already announced a newer version on this connection.
            m_hasXInput22 = true;
        }
        std::free(reply);
        std::free(error);
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

X11KeyboardHooks::~X11KeyboardHooks() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
    for (auto& [id, chord] : m_chords) {
        ungrab(chord);
    }
    if (!m_globals.empty()) {
        selectRawEvents(false);
    }
}

std::unique_ptr<X11KeyboardHooks> X11KeyboardHooks::forApplication(SyntheticInput synthetic) {
    auto* app = qGuiApp;
    auto* x11 =
        app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return nullptr;
    }
    xcb_connection_t* c = x11->connection();
    return std::make_unique<X11KeyboardHooks>(c, X11Connection::firstRoot(c), synthetic);
}

std::unique_ptr<HookHandle> X11KeyboardHooks::interceptChord(quint16 keyCode, quint64 modifiers,
                                                             KeyHandler onKeyDown,
                                                             ChordRefusal* refusal) {
    const auto report = [refusal](ChordRefusal why) {
        if (refusal != nullptr) {
            *refusal = why;
        }
    };
    if (m_connection == nullptr || m_root == XCB_WINDOW_NONE || !KeyCode::isKey(keyCode) ||
        !onKeyDown) {
        report(ChordRefusal::Unavailable);
        return nullptr;
    }
    Chord chord;
    chord.keyCode = keyCode;
    chord.modifiers = modifiers & ModifierFlag::Mask;
    chord.handler = std::move(onKeyDown);
    if (const ChordRefusal why = grab(chord); why != ChordRefusal::None) {
        log("X11KeyboardHooks: chord keyCode=" + QString::number(keyCode) +
            (why == ChordRefusal::HeldElsewhere ? " is held elsewhere" : " cannot be grabbed"));
        report(why);
        return nullptr;
    }
    report(ChordRefusal::None);
    const int id = m_nextId++;
    m_chords.emplace(id, std::move(chord));
    QPointer<X11KeyboardHooks> self(this);
    return std::make_unique<CallbackHandle>([self, id] {
        if (self) {
            self->removeChord(id);
        }
    });
}

std::vector<quint16> X11KeyboardHooks::grabMasks(const Chord& chord) const {
    const auto required = m_keymap.xModifiersFor(chord.modifiers);
    if (!required) {
        return {};
    }
    // The chord is a subset test, so every combination of the other modifiers must reach us.
    const quint16 others = m_keymap.modifiersInUse() & ~*required;
    std::vector<quint16> masks;
    for (quint16 sub = others;; sub = static_cast<quint16>((sub - 1) & others)) {
        masks.push_back(static_cast<quint16>(*required | sub));
        if (sub == 0) {
            break;
        }
    }
    return masks;
}

ChordRefusal X11KeyboardHooks::grab(Chord& chord) {
    std::vector<quint16> masks = grabMasks(chord);
    if (masks.empty()) {
        return ChordRefusal::Unavailable;
    }
    std::vector<xcb_void_cookie_t> cookies;
    cookies.reserve(masks.size());
    for (quint16 mask : masks) {
        cookies.push_back(xcb_grab_key_checked(m_connection, 1, m_root, mask,
                                               xcb_keycode_t(chord.keyCode), XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC));
    }
    ChordRefusal refusal = ChordRefusal::None;
    for (const auto& cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            // BadAccess: another client grabbed one of the combinations before us.
            if (error->error_code == XCB_ACCESS || refusal == ChordRefusal::HeldElsewhere) {
                refusal = ChordRefusal::HeldElsewhere;
            } else {
                refusal = ChordRefusal::Unavailable;
            }
            std::free(error);
        }
    }
    chord.grabbed = std::move(masks);
    if (refusal != ChordRefusal::None) {
        ungrab(chord);
    }
    return refusal;
}

void X11KeyboardHooks::ungrab(Chord& chord) {
    if (m_connection == nullptr) {
        return;
    }
    for (quint16 mask : chord.grabbed) {
        xcb_ungrab_key(m_connection, xcb_keycode_t(chord.keyCode), m_root, mask);
    }
    chord.grabbed.clear();
    chord.isDown = false;
    xcb_flush(m_connection);
}

void X11KeyboardHooks::removeChord(int id) {
    auto found = m_chords.find(id);
    if (found != m_chords.end()) {
        ungrab(found->second);
        m_chords.erase(found);
    }
}

std::unique_ptr<HookHandle> X11KeyboardHooks::observeGlobalKeyDowns(KeyHandler onKeyDown) {
    if (m_connection == nullptr || !m_hasXInput22 || !onKeyDown) {
        return nullptr;
    }
    if (m_globals.empty()) {
        if (!selectRawEvents(true)) {
            return nullptr;
        }
        resyncModifierState();
    }
    const int id = m_nextId++;
    m_globals.emplace(id, std::move(onKeyDown));
    QPointer<X11KeyboardHooks> self(this);
    return std::make_unique<CallbackHandle>([self, id] {
        if (self) {
            self->removeGlobal(id);
        }
    });
}

void X11KeyboardHooks::removeGlobal(int id) {
    if (m_globals.erase(id) > 0 && m_globals.empty()) {
        selectRawEvents(false);
    }
}

bool X11KeyboardHooks::selectRawEvents(bool on) {
    if (m_connection == nullptr) {
        return false;
    }
    struct {
        xcb_input_event_mask_t head;
        quint32 bits;
    } mask{};
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    int& users = rawSelections()[m_connection];
    if ((on && users++ > 0) || (!on && --users > 0)) {
        return true;
    }
    if (users <= 0) {
        rawSelections().erase(m_connection);
    }
    mask.bits =
        on ? XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE : 0;
    auto cookie = xcb_input_xi_select_events_checked(m_connection, m_root, 1, &mask.head);
    xcb_generic_error_t* error = xcb_request_check(m_connection, cookie);
    std::free(error);
    if (error != nullptr && on) {
        rawSelections().erase(m_connection);
    }
    return error == nullptr;
}

void X11KeyboardHooks::resyncModifierState() {
    m_pressed.reset();
    m_lockedByPress.reset();
    m_lockedMask = 0;
    auto keymapCookie = xcb_query_keymap(m_connection);
    auto pointerCookie = xcb_query_pointer(m_connection, m_root);
    xcb_query_keymap_reply_t* keys = xcb_query_keymap_reply(m_connection, keymapCookie, nullptr);
    xcb_query_pointer_reply_t* pointer =
        xcb_query_pointer_reply(m_connection, pointerCookie, nullptr);
    if (keys != nullptr) {
        for (int code = 0; code < 256; ++code) {
            if (keys->keys[code / 8] & (1u << (code % 8))) {
                m_pressed.set(static_cast<std::size_t>(code));
            }
        }
    }
    if (pointer != nullptr) {
        m_lockedMask = pointer->mask & (XCB_MOD_MASK_LOCK | m_keymap.numLockMask());
    }
    std::free(keys);
    std::free(pointer);
}

std::unique_ptr<HookHandle> X11KeyboardHooks::observeLocalKeyDowns(KeyFilter filter) {
    return m_localKeys.add(std::move(filter));
}

KeyEvent X11KeyboardHooks::toKeyEvent(xcb_keycode_t keycode, quint16 xState, bool isRepeat) const {
    KeyEvent e;
    e.keyCode = keycode;
    e.modifiers = m_keymap.modifierFlags(xState);
    e.isRepeat = isRepeat;
    return e;
}

bool X11KeyboardHooks::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (m_connection == nullptr || message == nullptr || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const quint8 type = event->response_type & 0x7f;
    switch (type) {
        case XCB_KEY_PRESS:
        case XCB_KEY_RELEASE:
            return handleChordKey(reinterpret_cast<const xcb_key_press_event_t*>(event),
                                  type == XCB_KEY_PRESS);
        case XCB_MAPPING_NOTIFY: {
            const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
            if (mapping->request != XCB_MAPPING_POINTER) {
                mappingChanged();
            }
            return false;
        }
        case XCB_GE_GENERIC: {
            const auto* ge = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
            if (m_xinputOpcode == 0 || ge->extension != m_xinputOpcode) {
                return false;
            }
            if (ge->event_type == XCB_INPUT_RAW_KEY_PRESS ||
                ge->event_type == XCB_INPUT_RAW_KEY_RELEASE) {
                // Not consumed: another hooks object on this connection may be watching too.
                handleRawKey(event, ge->event_type == XCB_INPUT_RAW_KEY_PRESS);
            }
            return false;
        }
        default:
            if (m_xkbFirstEvent != 0 && type == m_xkbFirstEvent) {
                // Every XKB event shares one code; the kind is the second byte.
                const quint8 xkbType = reinterpret_cast<const quint8*>(event)[1];
                if (xkbType == kXkbNewKeyboardNotify || xkbType == kXkbMapNotify) {
                    mappingChanged();
                }
            }
            return false;
    }
}

bool X11KeyboardHooks::handleChordKey(const xcb_key_press_event_t* event, bool press) {
    if (event->event != m_root) {
        return false;
    }
    for (auto& [id, chord] : m_chords) {
        if (xcb_keycode_t(chord.keyCode) != event->detail || chord.grabbed.empty()) {
            continue;
        }
        if (!press) {
            chord.isDown = false;
            chord.lastRelease = event->time;
            return true;
        }
        // Without detectable auto-repeat a repeat is a release and a press at the same time.
        const bool repeat =
            chord.isDown || (chord.lastRelease != 0 && chord.lastRelease == event->time);
        chord.isDown = true;
        const KeyEvent keyEvent = toKeyEvent(event->detail, event->state, repeat);
        QPointer<X11KeyboardHooks> self(this);
        const int chordId = id;
        QMetaObject::invokeMethod(
            this,
            [self, chordId, keyEvent] {
                if (!self) {
                    return;
                }
                auto found = self->m_chords.find(chordId);
                if (found != self->m_chords.end()) {
                    const KeyHandler handler = found->second.handler;
                    handler(keyEvent);
                }
            },
            Qt::QueuedConnection);
        return true;
    }
    return false;
}

quint16 X11KeyboardHooks::trackedState() const {
    quint16 state = m_lockedMask;
    for (xcb_keycode_t code : m_keymap.modifierKeycodes()) {
        if (m_pressed.test(code)) {
            state |= m_keymap.modifierMaskOf(code);
        }
    }
    return state;
}

void X11KeyboardHooks::handleRawKey(const xcb_generic_event_t* event, bool press) {
    const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
    const auto keycode = static_cast<xcb_keycode_t>(raw->detail);
    if (raw->detail > 255 || keycode < 8) {
        return;
    }
    const quint16 modifierMask = m_keymap.modifierMaskOf(keycode);
    if (modifierMask != 0 && m_keymap.isLockKey(keycode)) {
        // XKB locking: a press locks an unlocked modifier, the release after a press that
        // found it locked unlocks it.
        if (press && !m_pressed.test(keycode)) {
            const bool wasLocked = (m_lockedMask & modifierMask) != 0;
            m_lockedByPress.set(keycode, !wasLocked);
            m_lockedMask |= modifierMask;
        } else if (!press && !m_lockedByPress.test(keycode)) {
            m_lockedMask &= static_cast<quint16>(~modifierMask);
        }
    }
    const bool wasDown = m_pressed.test(keycode);
    m_pressed.set(keycode, press);
    if (!press) {
        m_lastRawRelease = raw->time;
        m_lastRawReleaseKey = keycode;
        return;
    }
    if (modifierMask != 0 || m_globals.empty()) {
        return;
    }
    if (m_synthetic == SyntheticInput::Ignore && isSyntheticSource(raw->sourceid)) {
        return;
    }
    const bool repeat = wasDown || (raw->flags & XCB_INPUT_KEY_EVENT_FLAGS_KEY_REPEAT) != 0 ||
                        (m_lastRawReleaseKey == keycode && m_lastRawRelease == raw->time);
    const KeyEvent keyEvent = toKeyEvent(keycode, trackedState(), repeat);
    QPointer<X11KeyboardHooks> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, keyEvent] {
            if (!self) {
                return;
            }
            std::vector<int> ids;
            for (const auto& [id, handler] : self->m_globals) {
                ids.push_back(id);
            }
            for (int id : ids) {
                if (!self) {
                    return;
                }
                auto found = self->m_globals.find(id);
                if (found != self->m_globals.end()) {
                    const KeyHandler handler = found->second;
                    handler(keyEvent);
                }
            }
        },
        Qt::QueuedConnection);
}

bool X11KeyboardHooks::isSyntheticSource(quint16 sourceId) {
    auto known = m_syntheticSources.find(sourceId);
    if (known != m_syntheticSources.end()) {
        return known->second;
    }
    bool synthetic = false;
    auto cookie = xcb_input_xi_query_device(m_connection, sourceId);
    xcb_input_xi_query_device_reply_t* reply =
        xcb_input_xi_query_device_reply(m_connection, cookie, nullptr);
    if (reply != nullptr) {
        for (auto it = xcb_input_xi_query_device_infos_iterator(reply); it.rem > 0;
             xcb_input_xi_device_info_next(&it)) {
            const char* name = xcb_input_xi_device_info_name(it.data);
            const int length = xcb_input_xi_device_info_name_length(it.data);
            if (it.data->deviceid == sourceId && QByteArray(name, length).contains("XTEST")) {
                synthetic = true;
            }
        }
        std::free(reply);
    }
    m_syntheticSources.emplace(sourceId, synthetic);
    return synthetic;
}

void X11KeyboardHooks::mappingChanged() {
    if (m_remapPending) {
        return;
    }
    // Mapping changes come in bursts; re-grab once after the burst.
    m_remapPending = true;
    QPointer<X11KeyboardHooks> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (!self) {
                return;
            }
            self->m_remapPending = false;
            self->m_keymap.refresh();
            for (auto& [id, chord] : self->m_chords) {
                // Unchanged grabs stay: releasing them even briefly would let a chord through.
                if (!chord.grabbed.empty() && self->grabMasks(chord) == chord.grabbed) {
                    continue;
                }
                self->ungrab(chord);
                if (self->grab(chord) != ChordRefusal::None) {
                    log("X11KeyboardHooks: chord lost after a keyboard mapping change");
                }
            }
        },
        Qt::QueuedConnection);
}
