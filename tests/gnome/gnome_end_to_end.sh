#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built application on GNOME on Wayland, driven as a user would: run by ctest inside
# tools/gnome-session, with the Shell extension enabled.
#   gnome_end_to_end.sh QUILLSTACK_BINARY
set -u
app=$1
. "$(dirname "$0")/../support/e2e.sh"
uuid=$(cd "$XDG_DATA_HOME/gnome-shell/extensions" && ls -d quillstack*@* | grep -v '^quillstack-test@')
type_keys() { echo "$*" >"$QUILLSTACK_TEST_KEYBOARD"; }
# Shown and holding the keyboard: the Shell's focused window is the application's, and so is
# XWayland's input focus, where the keys arrive.
popup_shown() {
  shell_eval 'global.display.focus_window?.get_pid()' | grep -q "'$app_pid'" &&
    [ "$(xdotool getwindowfocus getwindowpid 2>/dev/null)" = "$app_pid" ]
}
# The chord opens the popup; until the Shell holds the grab it may take another try.
open_popup() {
  local try
  for try in 1 2 3 4 5 6 7 8 9 10; do
    type_keys Super_L+Shift_L+v
    wait_for 2 popup_shown && return 0
  done
  # What the Shell made of it, for the failure's report.
  shell_eval "JSON.stringify({mode: Main.actionMode, overview: Main.overview.visible,
    modal: Main.modalCount, bound: global.display.get_keybinding_action(55, 65),
    focus: global.display.focus_window?.get_wm_class() ?? null})" >&2
  return 1
}
# What the clipboard holds, read through XWayland: a Wayland reader would need the keyboard
# focus, and taking it from a wl-copy that waits for it loses that copy.
clipboard() { xclip -selection clipboard -o -t "${1:-UTF8_STRING}" 2>/dev/null; }
holds() { [ "$(clipboard | hex)" = "$(printf %s "$1" | hex)" ]; }
# wl-copy serves from a process of its own; back once it offers, and 100 ms later, as a quick
# user copies again: the history records each copy as its owner change arrives.
copy() {
  wl-copy --foreground "$@" &
  pids+=($!)
  wait_for 5 holds "${*: -1}" || fail "could not copy ${*: -1}: the clipboard holds $(clipboard)"
  sleep 0.1
}
# A paste target (its window class), started after the copies so that it has the focus, as the
# window the user works in; ready once it has the focus and has made its file.
start_target() {  # CLASS FILE
  rm -f "$2"
  case $1 in
    qt_paste_target) QT_QPA_PLATFORM=wayland "$QT_PASTE_TARGET" "$2" & ;;
    # What the paste types reaches the file as it comes, not line by line.
    foot) foot -e sh -c "stty -icanon -echo; exec cat >'$2'" >/dev/null 2>&1 & ;;
  esac
  pids+=($!)
  wait_for 20 test -e "$2" && wait_for 20 focus "$1"
}

bridge_down() {
  ! gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner io.github.quillstack.ShellBridge | grep -q true
}
# A store planted as a link is left alone, and the user hears of it from the Shell.
mkdir -p "$XDG_DATA_HOME/Quillstack" && ln -sfn "$HOME/.bashrc" "$XDG_DATA_HOME/Quillstack/history.sqlite"
told() {
  shell_eval "Main.messageTray.getSources().some(s => s.notifications.some(n =>
    (n.body ?? n.bannerBodyText ?? '').includes('It was left alone')))" | grep -q "'true'"
}
# Started while the extension is off, the application takes it up once the user enables it.
gnome-extensions disable "$uuid" && wait_for 5 bridge_down || fail "cannot disable $uuid"
start_app
wait_for 10 told || fail "no notification of the planted store"
gnome-extensions enable "$uuid" || fail "cannot enable $uuid"

# With no tray host, the indicator in the top bar offers the tray's rows, and they act.
indicator() {  # what the indicator shows: its rows' ids and the pause row's text, or none
  shell_eval "(() => { const b = Main.panel.statusArea['quillstack-indicator'];
    if (!b || !b.visible) return 'none'; const items = b.menu._getMenuItems();
    return items.map(i => i.quillstackRow ?? '-').join(',') + '|' +
      items.find(i => i.quillstackRow === 'pause').label.text + '|' +
      b.get_first_child().gicon.get_file().get_basename(); })()"
}
shows() { indicator | grep -qF -- "$1"; }
choose() {
  shell_eval "Main.panel.statusArea['quillstack-indicator'].menu._getMenuItems()
    .find(i => i.quillstackRow === '$1').activate(null)" >/dev/null
}
wait_for 10 shows "history,settings,pause,guide,-,quit|Pause recording|quillstack-symbolic.svg" ||
  fail "no indicator in the top bar: $(indicator)"
choose pause
wait_for 5 shows "history,settings,pause,guide,-,quit|Resume recording|quillstack-paused-symbolic.svg" ||
  fail "the indicator's Pause did not pause: $(indicator)"
choose pause
wait_for 5 shows "Pause recording|quillstack-symbolic.svg" || fail "the indicator's Resume: $(indicator)"
history_shown() {
  shell_eval "global.get_window_actors().some(a => a.meta_window.get_pid() === $app_pid &&
    a.meta_window.get_title() === 'History')" | grep -q "'true'"
}
choose history
wait_for 10 history_shown || fail "the indicator's History opened no window"
shell_eval "global.get_window_actors().map(a => a.meta_window).filter(w => w.get_pid() === $app_pid)
  .forEach(w => w.delete(global.get_current_time()))" >/dev/null
history_gone() { ! history_shown; }
wait_for 10 history_gone || fail "the history window did not close"
# A tray host that shows the application's own icon: never two icons.
gjs "$(dirname "$0")/fake_tray_host.js" "$app_pid" >"$work/tray-host.log" 2>&1 &
pids+=($!)
wait_for 10 shows '"none"' || fail "the indicator stayed beside a tray icon: $(indicator)"
kill "${pids[-1]}"
wait_for 10 shows "Pause recording" || fail "no indicator after the tray host left: $(indicator)"

paste_rows <<'EOF'
shift-held|epsilon|qt_paste_target|open_popup|>Shift_L Return ~400 <Shift_L|657073696c6f6e
terminal|delta|foot|open_popup|Return|64656c7461
EOF

# A GTK 4 program's copy of three types, a NUL in its private one, comes back byte for byte
# under each type from the popup once the program has gone. (What the clipboard holds as it
# goes is mutter's: its own keeper saves the text.)
restored() {
  [ "$(clipboard text/html | hex)" = 3c623e333c2f623e ] &&
    [ "$(clipboard application/x-quillstack-test | hex)" = 610062 ] &&
    [ "$(clipboard | hex)" = 7468726565 ]
}
copy_three_types
wait_for 30 newest_is three || fail "the GTK 4 program's copy was not recorded"
kill "${pids[-1]}"
# Copies 100 ms apart, each held until the next takes the clipboard: every one recorded, in
# order. The popup opens on what is recorded: the newest copy first, so that three Downs reach
# the three.
for copied in one two newer; do copy "$copied"; done
wait_for 10 newest_is newer || fail "restore: newer was not recorded"
recorded=$("$app" --list 2>/dev/null | head -n 4 | cut -f 2 | tr '\n' ' ')
[ "$recorded" = "newer two one three " ] || fail "copies 100 ms apart: recorded $recorded"
open_popup || fail "restore: no popup"
type_keys Down Down Down Return
wait_for 10 restored || fail "restore: the history gave back $(clipboard TARGETS | tr '\n' ' ')"

# The bridge serves the application alone.
bridge=(gdbus call --session -d io.github.quillstack.ShellBridge -o /io/github/quillstack/ShellBridge)
"${bridge[@]}" -m io.github.quillstack.ShellBridge1.Hello >/dev/null 2>&1 &&
  fail "another program said Hello"
"${bridge[@]}" -m io.github.quillstack.ShellBridge1.TypeKeys "[65]" >/dev/null 2>&1 &&
  fail "another program typed keys"

# The extension going away leaves the application running; once it is back, so is the chord.
gnome-extensions disable "$uuid" || fail "cannot disable $uuid"
wait_for 5 bridge_down || fail "the extension stayed after disabling it"
kill -0 "$app_pid" || fail "the application died with the extension"
gnome-extensions enable "$uuid" || fail "cannot enable $uuid"
open_popup || fail "no chord after the extension came back"
type_keys Escape
wait_for 10 shows "Pause recording" || fail "no indicator after the extension came back"

# Quit from the indicator asks first, the history not being kept; Return keeps it and quits.
asked() {
  shell_eval "global.get_window_actors().some(a => a.meta_window.get_pid() === $app_pid &&
    a.meta_window.get_title() === 'Quillstack' && a.meta_window.has_focus())" | grep -q "'true'"
}
choose quit
wait_for 10 asked || fail "the indicator's Quit did not ask"
type_keys Return
wait_for 10 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the indicator's Quit did not quit"
wait "$app_pid" || fail "the application exited with $?"
echo PASS
