# SPDX-License-Identifier: MIT
# A GTK 4 program's copy of three types, a NUL in its private one, offered once it is active.
import gi
gi.require_version("Gtk", "4.0")
from gi.repository import Gtk, Gdk, GLib
def offer(window):
    if not window.is_active():
        return True
    window.get_clipboard().set_content(Gdk.ContentProvider.new_union([
        Gdk.ContentProvider.new_for_bytes(mime, GLib.Bytes.new(data)) for mime, data in
        [("text/plain;charset=utf-8", b"three"), ("text/html", b"<b>3</b>"),
         ("application/x-quillstack-test", b"a\0b")]]))
def start(app):
    window = Gtk.ApplicationWindow(application=app, title="three")
    window.present()
    GLib.timeout_add(100, offer, window)
app = Gtk.Application(application_id="io.github.quillstack.ThreeTypes")
app.connect("activate", start)
app.run()
