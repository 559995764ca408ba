// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <xcb/xcb.h>

#include <bitset>
#include <map>
#include <vector>

#include "platform/KeyboardHooks.h"
#include "platform/qt/LocalKeyFilter.h"
#include "platform/x11/X11Keymap.h"

// Key hooks on Qt's own xcb connection; its events reach us through the native event filter.
// Chords are passive key grabs on the root window, the global observer reads XInput 2 raw key
// events (delivered even while another client holds a grab), and the local observer reads Qt's
// key events as on every other desktop.
class X11KeyboardHooks final : public QObject,
                               public KeyboardHooks,
                               public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    // Whether the global observer reports keys typed through the XTEST extension. Remote
    // desktops and software KVMs type through it too, so ignoring it is opt-in.
    enum class SyntheticInput { Observe, Ignore };

    X11KeyboardHooks(xcb_connection_t* connection, xcb_window_t root,
                     SyntheticInput synthetic = SyntheticInput::Observe);
    ~X11KeyboardHooks() override;

    // On the running QGuiApplication's X connection; nothing when it is not on xcb.
    static std::unique_ptr<X11KeyboardHooks> forApplication(
        SyntheticInput synthetic = SyntheticInput::Observe);

    std::unique_ptr<HookHandle> interceptChord(quint16 keyCode, quint64 modifiers,
                                               KeyHandler onKeyDown,
                                               ChordRefusal* refusal = nullptr) override;
    std::unique_ptr<HookHandle> observeGlobalKeyDowns(KeyHandler onKeyDown) override;
    std::unique_ptr<HookHandle> observeLocalKeyDowns(KeyFilter filter) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    struct Chord {
        quint16 keyCode = 0;
        quint64 modifiers = 0;
        KeyHandler handler;
        std::vector<quint16> grabbed;
        bool isDown = false;
        xcb_timestamp_t lastRelease = 0;
    };

    std::vector<quint16> grabMasks(const Chord& chord) const;
    ChordRefusal grab(Chord& chord);
    void ungrab(Chord& chord);
    void removeChord(int id);
    void removeGlobal(int id);
    void mappingChanged();
    bool selectRawEvents(bool on);
    void resyncModifierState();
    bool handleChordKey(const xcb_key_press_event_t* event, bool press);
    void handleRawKey(const xcb_generic_event_t* event, bool press);
    bool isSyntheticSource(quint16 sourceId);
    KeyEvent toKeyEvent(xcb_keycode_t keycode, quint16 xState, bool isRepeat) const;
    quint16 trackedState() const;

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    SyntheticInput m_synthetic;
    X11Keymap m_keymap;
    quint8 m_xinputOpcode = 0;
    bool m_hasXInput22 = false;
    quint8 m_xkbFirstEvent = 0;
    bool m_remapPending = false;
    int m_nextId = 1;
    std::map<int, Chord> m_chords;
    std::map<int, KeyHandler> m_globals;
    LocalKeyFilter m_localKeys;
    std::map<quint16, bool> m_syntheticSources;
    // Modifier state for the raw observer, tracked from raw presses and releases.
    std::bitset<256> m_pressed;
    std::bitset<256> m_lockedByPress;
    quint16 m_lockedMask = 0;
    xcb_timestamp_t m_lastRawRelease = 0;
    xcb_keycode_t m_lastRawReleaseKey = 0;
};
