#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# History and Settings as GNOME on Wayland shows them: run by ctest inside tools/gnome-session.
# Asked for from a terminal, each comes up in front with the focus, although the user's last
# input went to another window, and is listed by Alt+Tab and the overview; none is kept above.
#   gnome_windows.sh QUILLSTACK_BINARY
set -u
app=$1
. "$(dirname "$0")/../support/e2e.sh"
# The window of ours with this title: listed, not above, and focused unless "any" follows; the
# Shell's own words.
listed() {
  local focus="w.has_focus()"
  [ "${2:-}" = any ] && focus=true
  shell_eval "const w = global.display.get_tab_list(0, null)
      .find(w => w.get_pid() === $app_pid && w.get_title() === '$1');
    !!w && $focus && !w.is_above() && !w.is_skip_taskbar()" | grep -q "'true'"
}
start_app
# A shell of its own: the session user may have none to log in with.
foot sh -c "exec cat >/dev/null" >/dev/null 2>&1 &
pids+=($!)
# The user clicks the terminal: a Shell from 48 on does not focus a window started without a
# launcher's token.
wait_for 20 focus foot || fail "the terminal did not take the focus"
"$app" --show-history || fail "--show-history failed"
wait_for 10 listed History || fail "History is not in front, focused and listed"
wait_for 10 focus foot || fail "the terminal did not take the focus back"
"$app" --show-settings || fail "--show-settings failed"
wait_for 10 listed Settings || fail "Settings is not in front, focused and listed"
listed History any || fail "History left the window list"

# With the Shell extension off the popup comes up over XWayland, from the command as from the
# user's own shortcut, and shows its rows at once: within two seconds of taking the focus (the
# fault showed none until a key was pressed; a screenshot of a loaded Shell takes a while) the
# lower half of its frame, where the rows are, holds drawn text (many colours) and not what was
# behind it; a blank panel has a few colours, the header's text alone is above.
uuid=$(cd "$XDG_DATA_HOME/gnome-shell/extensions" && ls -d quillstack*@* | grep -v '^quillstack-test@')
gnome-extensions disable "$uuid" || fail "cannot disable $uuid"
for text in "Meeting notes at ten" "https://example.org/rows"; do
  wl-copy "$text" && wait_for 10 newest_is "$text" || fail "$text was not recorded"
done
shot() { gdbus call --session -d org.gnome.Shell.Screenshot -o /org/gnome/Shell/Screenshot \
  -m org.gnome.Shell.Screenshot.Screenshot false false "$1" >/dev/null; }
popup_frame() {  # x y width height of the focused popup, the one window of ours kept above
  shell_eval "const w = global.display.focus_window; w?.get_pid() === $app_pid && w.is_above()
    ? (r => [r.x, r.y, r.width, r.height].join(' '))(w.get_frame_rect()) : ''" |
    sed -n "s/^(true, '\"\([0-9 ]*\)\"')$/\1/p" | grep .
}
shot "$work/behind.png" || fail "no screenshot"
"$app" --toggle-popup || fail "--toggle-popup failed"
wait_for 5 popup_frame >/dev/null || fail "the popup did not take the focus"
read -r x y w h <<<"$(popup_frame)"
area="${w}x$((h / 2))+${x}+$((y + h / 2))"
convert "$work/behind.png" -crop "$area" +repage "$work/behind-crop.png"
rows_drawn() {
  shot "$work/popup.png" && convert "$work/popup.png" -crop "$area" +repage "$work/crop.png" &&
    [ "$(convert "$work/crop.png" -format %k info:)" -ge 60 ] &&
    [ "$(identify -format %# "$work/crop.png")" != "$(identify -format %# "$work/behind-crop.png")" ]
}
deadline=$(($(date +%s%N) + 2000000000))
until rows_drawn; do
  [ "$(date +%s%N)" -lt $deadline ] || fail "the popup ($area) shows no rows at once"
done
"$app" --toggle-popup
"$app" --quit || fail "--quit failed"
wait "$app_pid" || fail "the application exited with $?"
echo PASS
