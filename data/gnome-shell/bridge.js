// SPDX-License-Identifier: MIT
// The Shell side of Quillstack on GNOME: what only the Shell may do (type keys into any window,
// grab one chord, tell and activate the focused window), offered on the session bus to the one
// Quillstack process of this user. It keeps no content and logs nothing.
// It also draws Quillstack's indicator in the top bar while no tray host shows the application's
// own icon: GNOME has no tray unless an extension adds one.
// Built into extension.js for GNOME 43/44 and for GNOME 45+ (imports differ, this body does not);
// it expects Gio, GLib, Meta, Clutter, Shell, St, Main, PanelMenu and PopupMenu in scope, and
// INTERFACE_XML.

const BUS_NAME = 'io.github.quillstack.ShellBridge';
const OBJECT_PATH = '/io/github/quillstack/ShellBridge';
const INTERFACE = 'io.github.quillstack.ShellBridge1';
const VERSION = 1;
const INDICATOR_ROLE = 'quillstack-indicator';
const WATCHER = 'org.kde.StatusNotifierWatcher';
const WATCHER_PATH = '/StatusNotifierWatcher';
const HELD_MODIFIERS = Clutter.ModifierType.SHIFT_MASK | Clutter.ModifierType.CONTROL_MASK |
    Clutter.ModifierType.MOD1_MASK | Clutter.ModifierType.MOD4_MASK |
    Clutter.ModifierType.MOD5_MASK | Clutter.ModifierType.SUPER_MASK;

function accessDenied() {
    return new GLib.Error(Gio.DBusError, Gio.DBusError.ACCESS_DENIED,
        'Only the Quillstack process that said Hello first is served');
}

function windowTuple(window) {
    if (!window)
        return [0, '', '', 0, ''];
    return [window.get_id(), window.get_wm_class() ?? '', window.get_gtk_application_id() ?? '',
        Math.max(0, window.get_pid()), window.get_title() ?? ''];
}

var QuillstackBridge = class QuillstackBridge {
    // `path` is the extension's folder, which holds the indicator's icons.
    constructor(path) {
        this._path = path;
    }

    enable() {
        this._client = null;
        this._clientPid = 0;
        this._rows = null;
        this._paused = false;
        this._indicator = null;
        this._shownTold = null;
        this._trayServes = false;
        this._trayCheck = null;
        this._watchId = 0;
        this._actions = new Set();
        this._keyboard = null;
        this._typeId = 0;
        this._dbus = Gio.DBusExportedObject.wrapJSObject(INTERFACE_XML, this);
        this._dbus.export(Gio.DBus.session, OBJECT_PATH);
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, BUS_NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._focusId = global.display.connect('notify::focus-window',
            () => this._emit('FocusChanged', '((tssus))', [windowTuple(global.display.focus_window)]));
        this._acceleratorId = global.display.connect('accelerator-activated', (_d, action) => {
            if (this._actions.has(action))
                this._emit('AcceleratorActivated', '(u)', [action]);
        });
        // A tray host (the AppIndicator extension) may come, go, or take up the client's icon
        // at any time; each of its signals is a reason to look again.
        this._watcherId = Gio.bus_watch_name_on_connection(Gio.DBus.session, WATCHER,
            Gio.BusNameWatcherFlags.NONE, () => this._checkTray(), () => this._checkTray());
        this._watcherSignalsId = Gio.DBus.session.signal_subscribe(null, WATCHER, null,
            WATCHER_PATH, null, Gio.DBusSignalFlags.NONE, () => this._checkTray());
    }

    disable() {
        if (this._typeId)
            GLib.source_remove(this._typeId);
        this._typeId = 0;
        this._dropClient();
        Gio.DBus.session.signal_unsubscribe(this._watcherSignalsId);
        Gio.bus_unwatch_name(this._watcherId);
        this._trayCheck?.cancel();
        this._trayCheck = null;
        global.display.disconnect(this._acceleratorId);
        global.display.disconnect(this._focusId);
        Gio.bus_unown_name(this._nameId);
        this._dbus.unexport();
        this._dbus = null;
    }

    // The client is whoever said Hello first from a program named quillstack, until it leaves
    // the bus; the program check keeps a stray bus client from taking the place.
    HelloAsync(_params, invocation) {
        const sender = invocation.get_sender();
        if (this._client === sender) {
            invocation.return_value(new GLib.Variant('(u)', [VERSION]));
            return;
        }
        if (this._client !== null) {
            invocation.return_gerror(accessDenied());
            return;
        }
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus',
            'org.freedesktop.DBus', 'GetConnectionUnixProcessID', new GLib.Variant('(s)', [sender]),
            new GLib.VariantType('(u)'), Gio.DBusCallFlags.NONE, -1, null, (bus, result) => {
                let program = '';
                let pid = 0;
                try {
                    [pid] = bus.call_finish(result).deep_unpack();
                    program = GLib.path_get_basename(GLib.file_read_link(`/proc/${pid}/exe`));
                } catch (e) {
                    program = '';
                }
                if (program !== 'quillstack' || this._client !== null || !this._dbus) {
                    invocation.return_gerror(accessDenied());
                    return;
                }
                this._client = sender;
                this._clientPid = pid;
                this._watchId = Gio.bus_watch_name_on_connection(Gio.DBus.session, sender,
                    Gio.BusNameWatcherFlags.NONE, null, () => this._dropClient());
                invocation.return_value(new GLib.Variant('(u)', [VERSION]));
                this._checkTray();
            });
    }

    TypeKeysAsync([keysyms], invocation) {
        if (!this._allowed(invocation))
            return;
        invocation.return_value(null);
        // A modifier the user still holds (Shift of Shift+Return) would join the typed keys,
        // and a virtual keyboard cannot release another's key: wait for it, at most two seconds
        // (as the application waits on KWin).
        const held = () => (global.get_pointer()[2] & HELD_MODIFIERS) !== 0;
        const until = GLib.get_monotonic_time() + 2000000;
        if (this._typeId)
            GLib.source_remove(this._typeId);
        this._typeId = 0;
        if (!held()) {
            this._type(keysyms);
            return;
        }
        this._typeId = GLib.timeout_add(GLib.PRIORITY_DEFAULT, 10, () => {
            if (held() && GLib.get_monotonic_time() < until)
                return GLib.SOURCE_CONTINUE;
            this._typeId = 0;
            this._type(keysyms);
            return GLib.SOURCE_REMOVE;
        });
    }

    _type(keysyms) {
        if (!this._keyboard) {
            // The stage's context holds the backend from GNOME 45 on; 51 dropped the global.
            const backend = global.stage.context?.get_backend?.() ?? Clutter.get_default_backend();
            const seat = backend.get_default_seat();
            this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        }
        const time = GLib.get_monotonic_time();
        keysyms.forEach((keysym, i) =>
            this._keyboard.notify_keyval(time + i, keysym, Clutter.KeyState.PRESSED));
        [...keysyms].reverse().forEach((keysym, i) => this._keyboard.notify_keyval(
            time + keysyms.length + i, keysym, Clutter.KeyState.RELEASED));
    }

    GrabAcceleratorAsync([accelerator], invocation) {
        if (!this._allowed(invocation))
            return;
        const action = global.display.grab_accelerator(accelerator, Meta.KeyBindingFlags.NONE);
        if (action !== Meta.KeyBindingAction.NONE) {
            this._actions.add(action);
            Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
                Shell.ActionMode.NORMAL | Shell.ActionMode.OVERVIEW | Shell.ActionMode.POPUP);
        }
        invocation.return_value(new GLib.Variant('(u)', [action]));
    }

    UngrabAcceleratorAsync([action], invocation) {
        if (!this._allowed(invocation))
            return;
        this._ungrab(action);
        invocation.return_value(null);
    }

    GetFocusAsync(_params, invocation) {
        if (!this._allowed(invocation))
            return;
        invocation.return_value(
            new GLib.Variant('((tssus))', [windowTuple(global.display.focus_window)]));
    }

    ActivateWindowAsync([id], invocation) {
        if (!this._allowed(invocation))
            return;
        const window = global.display.list_all_windows().find(w => w.get_id() === id);
        if (window)
            Main.activateWindow(window);
        invocation.return_value(new GLib.Variant('(b)', [!!window]));
    }

    SetIndicatorAsync([rows, paused], invocation) {
        if (!this._allowed(invocation))
            return;
        this._rows = rows;
        this._paused = paused;
        this._updateIndicator();
        invocation.return_value(null);
    }

    // Whether a tray host lists the client's own icon: Qt registers it under the client's bus
    // name or as org.kde.StatusNotifierItem-PID-N.
    _checkTray() {
        this._trayCheck?.cancel();
        this._trayCheck = new Gio.Cancellable();
        const get = (property, done) => Gio.DBus.session.call(WATCHER, WATCHER_PATH,
            'org.freedesktop.DBus.Properties', 'Get', new GLib.Variant('(ss)', [WATCHER, property]),
            new GLib.VariantType('(v)'), Gio.DBusCallFlags.NONE, 2000, this._trayCheck,
            (bus, result) => {
                let value = null;
                try {
                    value = bus.call_finish(result).deep_unpack()[0].deep_unpack();
                } catch (e) {
                    // No watcher, or one without the property: no tray.
                    if (e instanceof GLib.Error && e.matches(Gio.IOErrorEnum, Gio.IOErrorEnum.CANCELLED))
                        return;
                }
                done(value);
            });
        get('IsStatusNotifierHostRegistered', host => {
            if (!host) {
                this._setTrayServes(false);
                return;
            }
            get('RegisteredStatusNotifierItems', items => this._setTrayServes(
                (items ?? []).some(item => this._isClientItem(item))));
        });
    }

    _isClientItem(item) {
        if (this._client === null)
            return false;
        return item.startsWith(this._client) ||
            (this._clientPid > 0 && item.includes(`StatusNotifierItem-${this._clientPid}-`));
    }

    _setTrayServes(serves) {
        this._trayServes = serves;
        this._updateIndicator();
    }

    // Shown while a client has said what its rows are and no tray shows its icon: never two.
    _updateIndicator() {
        const show = this._client !== null && this._rows !== null && !this._trayServes;
        if (!show) {
            this._indicator?.destroy();
            this._indicator = null;
            this._icon = null;
        } else {
            if (!this._indicator) {
                this._indicator = new PanelMenu.Button(0.5, 'Quillstack', false);
                this._icon = new St.Icon({style_class: 'system-status-icon'});
                this._indicator.add_child(this._icon);
                Main.panel.addToStatusArea(INDICATOR_ROLE, this._indicator);
            }
            this._fillIndicator();
        }
        if (this._client !== null && this._shownTold !== show) {
            this._shownTold = show;
            this._emit('IndicatorShown', '(b)', [show]);
        }
    }

    _fillIndicator() {
        const name = this._paused ? 'quillstack-paused-symbolic' : 'quillstack-symbolic';
        this._icon.gicon = Gio.icon_new_for_string(`${this._path}/icons/${name}.svg`);
        this._indicator.accessible_name = 'Quillstack';
        const menu = this._indicator.menu;
        menu.removeAll();
        for (const [id, label] of this._rows) {
            if (id === '') {
                menu.addMenuItem(new PopupMenu.PopupSeparatorMenuItem());
                continue;
            }
            const item = menu.addAction(label, () => this._emit('IndicatorActivated', '(s)', [id]));
            item.quillstackRow = id;
        }
    }

    _allowed(invocation) {
        if (this._client !== null && invocation.get_sender() === this._client)
            return true;
        invocation.return_gerror(accessDenied());
        return false;
    }

    // Signals go to the client alone: no other program learns what is focused or typed.
    _emit(name, signature, values) {
        if (this._client === null)
            return;
        Gio.DBus.session.emit_signal(this._client, OBJECT_PATH, INTERFACE, name,
            new GLib.Variant(signature, values));
    }

    _ungrab(action) {
        if (this._actions.delete(action))
            global.display.ungrab_accelerator(action);
    }

    // The chord and the keyboard go with the client.
    _dropClient() {
        if (this._watchId)
            Gio.bus_unwatch_name(this._watchId);
        this._watchId = 0;
        this._client = null;
        this._clientPid = 0;
        for (const action of [...this._actions])
            this._ungrab(action);
        this._keyboard = null;
        this._rows = null;
        this._shownTold = null;
        this._updateIndicator();
    }
};
