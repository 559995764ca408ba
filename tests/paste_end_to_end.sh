#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Pastes with the built application as a user makes them, one table on X11 (inside
# tools/x11-session) and on wlroots compositors (inside tools/wayland-session: sway runs the
# binding the application made, labwc the one its configuration holds): copies made by other
# clients, the chord, Down and Return in the popup, and what arrives byte for byte in a Qt field
# and in real terminals, which do not paste on Control+V, shell and escape characters included.
#   paste_end_to_end.sh QUILLSTACK_BINARY QT_PASTE_TARGET [WAYLAND_DRIVER]
set -u
app=$1 qt_target=$2 driver=${3:-}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
. "$(dirname "$0")/support/e2e.sh"
shell_text="Grüße ✓ ünïcödé \$HOME \`x\` \\ 'q'"
shell_hex=$(printf %s "$shell_text" | hex)
newest() { [ "$("$app" --list 2>/dev/null | head -n 1)" = "1	$1" ]; }
copy() {  # TEXT, or "shell": another client serves it until the next copy; then recorded
  local text=$1
  [ "$text" = shell ] && text=$shell_text
  printf %s "$text" | "${copier[@]}" >/dev/null 2>&1
  wait_for 20 newest "$text" || fail "$text was not recorded"
}
# A paste target: the Qt field or a terminal whose shell is a raw-mode cat, so that the file holds
# exactly the bytes it received; ready once it made the file and has the focus.
start_target() {  # PROGRAM FILE
  printf '#!/bin/sh\nstty raw -echo\nexec cat >"%s"\n' "$2" >"$work/cat.sh"
  chmod +x "$work/cat.sh"
  case $1 in
    qt_paste_target) "$qt_target" "$2" & ;;
    xterm) LC_ALL=C.UTF-8 xterm -u8 -e "$work/cat.sh" & ;;
    lxterminal) LC_ALL=C.UTF-8 NO_AT_BRIDGE=1 lxterminal --no-remote -e "$work/cat.sh" & ;;
    foot) foot "$work/cat.sh" >/dev/null 2>&1 & ;;
  esac
  pids+=($!)
  wait_for 20 test -e "$2" && wait_for 10 focus "$1" "${pids[-1]}"
}
open_popup() { type_keys chord && wait_for 10 popup_shown; }
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
  copier=(wl-copy)
  # A new window has the focus: a client cannot take it here.
  focus() { [ "$("$driver" front)" = "$1" ]; }
  popup_shown() { focus quillstack; }
  # wtype uploads a keymap of its own: the popup reads the keys by symbol.
  type_keys() {
    local key
    for key; do
      if [ "$key" = chord ]; then "$driver" chord; else wtype -k "$key"; fi || return 1
    done
  }
  # labwc binds the chord in its own configuration, as its users do, to the command.
  [ -n "${QUILLSTACK_CHORD_SCRIPT:-}" ] &&
    printf "exec '%s' --toggle-popup\n" "$app" >"$QUILLSTACK_CHORD_SCRIPT"
  rows="field|one two|qt_paste_target|open_popup|Down Return|$(printf one | hex)
foot|shell newer|foot|open_popup|Down Return|$shell_hex"
  holds() { [ "$(wl-paste -n | hex)" = "$1" ]; }
else
  copier=(xclip -selection clipboard)
  focus() {  # PROGRAM PID: as the user clicking it
    local window
    window=$(xdotool search --onlyvisible --pid "$2" 2>/dev/null | head -n 1) && [ -n "$window" ] &&
      xdotool windowactivate --sync "$window" >/dev/null 2>&1 &&
      [ "$(xdotool getactivewindow)" = "$window" ]
  }
  popup_shown() {  # the application's window 420 wide
    local window
    for window in $(xdotool search --onlyvisible --classname quillstack); do
      xwininfo -id "$window" | grep -q 'Width: 420$' && return 0
    done
    return 1
  }
  type_keys() { xdotool key --clearmodifiers "${@/chord/super+shift+v}"; }
  # A tray host, as on a desktop: the application then shows no hint at the way in.
  "$(dirname "$0")/../tools/lib/tray-host" 200 24 & pids+=($!)
  # xterm pastes PRIMARY on Shift+Insert, lxterminal (VTE) the clipboard on Control+Shift+V.
  rows="xterm|shell newer|xterm|open_popup|Down Return|$shell_hex
lxterminal|shell newest|lxterminal|open_popup|Down Return|$shell_hex"
  holds() { [ "$(xclip -o -selection clipboard | hex)" = "$1" ]; }
fi
start_app
paste_rows <<<"$rows"
# The paste leaves the choice on the clipboard, and the application running.
holds "$shell_hex" || fail "the clipboard does not hold the last choice"
kill -0 "$app_pid" || fail "the application did not survive its pastes"
echo PASS
