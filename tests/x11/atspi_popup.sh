#!/usr/bin/env bash
# The popup as a screen reader hears it, through AT-SPI on a session bus of the test's own: the
# list and its rows by text and place, the chosen row announced as selected as the arrows and
# a pin move it. Inside tools/x11-session:  atspi_popup.sh QUILLSTACK
set -u
app=$1
for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher xclip xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run tools/deps" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "FAIL: python3-pyatspi is missing" >&2; exit 1; }
[ -n "${ATSPI_TEST_BUS:-}" ] || ATSPI_TEST_BUS=1 exec dbus-run-session -- "$0" "$@"
[ -n "${XDG_RUNTIME_DIR:-}" ] || { XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR; }
source "$(dirname "$0")/../support/e2e.sh"
/usr/libexec/at-spi-bus-launcher --launch-immediately & pids+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app
for text in one two three; do
  printf %s "$text" | xclip -selection clipboard
  wait_for 10 newest_is "$text" || fail "$text was not recorded"
done
"$app" --toggle-popup || fail "the popup did not open"
/usr/bin/python3 - <<'EOF' || fail "AT-SPI reading"
import subprocess, sys, time, pyatspi
from gi.repository import GLib

announced = []
pyatspi.Registry.registerEventListener(
    lambda e: e.detail1 and announced.append(e.source.name), 'object:state-changed:selected')

def wait(what, check, seconds=15):
    end = time.time() + seconds
    while time.time() < end:
        GLib.MainContext.default().iteration(False)
        try:
            if check():
                return
        except Exception:  # the tree is still being built
            pass
        time.sleep(0.05)
    sys.exit('not seen: ' + what + ' ' + str(rows()) + ' announced ' + str(announced))

def popup_list():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and 'quillstack' in application.name.lower():
            application.clear_cache()
            found = pyatspi.findDescendant(
                application, lambda a: a.getRole() == pyatspi.ROLE_LIST and a.name == 'History')
            if found is not None:
                return found

def rows():
    shown = popup_list()
    return [(row.name, row.description, row.getState().contains(pyatspi.STATE_SELECTED))
            for row in shown if row.getRole() == pyatspi.ROLE_LIST_ITEM] if shown else []

def expect(names, selected, pinned=0):  # the first `pinned` rows are pinned
    wait(names, lambda: rows() == [
        (name, 'Item %d of 3%s' % (i + 1, ', pinned' if i < pinned else ''), name == selected)
        for i, name in enumerate(names.split())])

expect('three two one', 'three')
subprocess.run(['xdotool', 'key', 'Down'], check=True)
expect('three two one', 'two')
wait('"two" announced', lambda: announced[-1:] == ['two'])
subprocess.run(['xdotool', 'key', 'ctrl+p'], check=True)
expect('two three one', 'two', pinned=1)
EOF
