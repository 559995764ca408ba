// SPDX-License-Identifier: MIT
// The headless GNOME session's keyboard for tests: a mutter remote-desktop session, which must
// stay with the process that created it. Presses Escape once (the Shell starts in the overview,
// which holds the focus), then types what arrives on the FIFO named by its argument: one line per
// step, words separated by spaces, each word a chord of X keysym names joined by "+"
// ("Control_L+Shift_L+v Down Return"; see type() for held keys and pauses). Tests only: the product never uses this interface.
imports.gi.versions.Gdk = '3.0';
const {Gdk, Gio, GLib} = imports.gi;

const bus = Gio.DBus.session;
const call = (path, iface, method, args, type) => bus.call_sync('org.gnome.Mutter.RemoteDesktop',
    path, iface, method, args, type ? new GLib.VariantType(type) : null, Gio.DBusCallFlags.NONE,
    -1, null);
const [session] = call('/org/gnome/Mutter/RemoteDesktop', 'org.gnome.Mutter.RemoteDesktop',
    'CreateSession', null, '(o)').deep_unpack();
const sessionIface = 'org.gnome.Mutter.RemoteDesktop.Session';
call(session, sessionIface, 'Start', null, null);
const key = (keysym, pressed) => call(session, sessionIface, 'NotifyKeyboardKeysym',
    new GLib.Variant('(ub)', [keysym, pressed]), null);

function type(word) {
    // "~300" waits 300 ms; ">Shift_L" only presses the key, "<Shift_L" only releases it.
    if (word.startsWith('~')) {
        GLib.usleep(1000 * Number(word.slice(1)));
        return;
    }
    if (word.startsWith('>') || word.startsWith('<')) {
        key(Gdk.keyval_from_name(word.slice(1)), word.startsWith('>'));
        return;
    }
    const keysyms = word.split('+').map(name => Gdk.keyval_from_name(name));
    if (keysyms.includes(Gdk.KEY_VoidSymbol) || keysyms.includes(0)) {
        printerr(`unknown key in ${word}`);
        return;
    }
    keysyms.forEach(k => key(k, true));
    [...keysyms].reverse().forEach(k => key(k, false));
}

type('Escape');
const loop = new GLib.MainLoop(null, false);
const fifo = Gio.File.new_for_path(ARGV[0]);
// Opening a FIFO for reading waits for a writer; each writer's lines are read to its end.
function readNext() {
    fifo.read_async(GLib.PRIORITY_DEFAULT, null, (file, result) => {
        const input = new Gio.DataInputStream({base_stream: file.read_finish(result)});
        const readLine = () => input.read_line_async(GLib.PRIORITY_DEFAULT, null, (s, r) => {
            const [line] = s.read_line_finish_utf8(r);
            if (line === null) {
                input.close(null);
                readNext();
                return;
            }
            line.split(/\s+/).filter(w => w).forEach(type);
            readLine();
        });
        readLine();
    });
}
readNext();
print('ready');
loop.run();
