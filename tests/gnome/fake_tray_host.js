// SPDX-License-Identifier: MIT
// A tray host as the AppIndicator extension offers one, listing the given process's icon under
// the name Qt registers it by.   gjs fake_tray_host.js PID
const {Gio, GLib} = imports.gi;
const pid = ARGV[0];
const xml = `<node><interface name="org.kde.StatusNotifierWatcher">
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>`;
const watcher = Gio.DBusExportedObject.wrapJSObject(xml, {
    IsStatusNotifierHostRegistered: true,
    RegisteredStatusNotifierItems: [`org.kde.StatusNotifierItem-${pid}-1`],
});
watcher.export(Gio.DBus.session, '/StatusNotifierWatcher');
Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.kde.StatusNotifierWatcher',
    Gio.BusNameOwnerFlags.NONE, () => print('ready'), () => imports.system.exit(1));
new GLib.MainLoop(null, false).run();
