#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The popup as a screen reader hears it, through AT-SPI on the test's own session bus: its rows
# by text and place, the chosen one announced as selected as Down and a pin move it.
# Inside tools/x11-session:  atspi_popup.sh QUILLSTACK
set -u
app=$1
for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher xclip xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run tools/deps" >&2; exit 1; }
done
[ -n "${ATSPI_TEST_BUS:-}" ] || ATSPI_TEST_BUS=1 exec dbus-run-session -- "$0" "$@"
[ -n "${XDG_RUNTIME_DIR:-}" ] || { XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR; }
source "$(dirname "$0")/../support/e2e.sh"
/usr/libexec/at-spi-bus-launcher --launch-immediately & pids+=($!)
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_app
for text in one two three; do
  printf %s "$text" | xclip -selection clipboard
  wait_for 10 newest_is "$text" || fail "$text was not recorded"
done
"$app" --toggle-popup || fail "the popup did not open"
/usr/bin/python3 - <<'EOF' || fail "AT-SPI reading"
import subprocess, sys, time, pyatspi
from gi.repository import GLib

said = []
pyatspi.Registry.registerEventListener(
    lambda e: e.detail1 and said.append(e.source.name), 'object:state-changed:selected')

def rows():
    for application in filter(None, pyatspi.Registry.getDesktop(0)):
        application.clear_cache()
        shown = pyatspi.findDescendant(application, lambda a: a.getRole() == pyatspi.ROLE_LIST)
        if 'quillstack' in application.name.lower() and shown and shown.name == 'History':
            return [(r.name, r.description, r.getState().contains(pyatspi.STATE_SELECTED))
                    for r in shown]

def expect(keys, names, chosen, pinned=0):  # the first `pinned` rows are pinned
    if keys:
        subprocess.run(['xdotool', 'key'] + keys, check=True)
    wanted = [(name, 'Item %d of 3%s' % (i + 1, ', pinned' if i < pinned else ''), name == chosen)
              for i, name in enumerate(names.split())]
    for _ in range(300):
        GLib.MainContext.default().iteration(False)
        if rows() == wanted and said[-1:] in ([], [chosen]):
            return
        time.sleep(0.05)
    sys.exit('not seen: %s, but %s; announced %s' % (wanted, rows(), said))

expect([], 'three two one', 'three')
expect(['Down'], 'three two one', 'two')
expect(['ctrl+p'], 'two three one', 'two', pinned=1)
if said[-1:] != ['two']:
    sys.exit('the selection was never announced: %s' % said)
EOF
