#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# History and Settings as GNOME on Wayland shows them: run by ctest inside tools/gnome-session.
# Asked for from a terminal, each comes up in front with the focus, although the user's last
# input went to another window, and is listed by Alt+Tab and the overview; none is kept above.
#   gnome_windows.sh QUILLSTACK_BINARY
set -u
app=$1
. "$(dirname "$0")/../support/e2e.sh"
shell_eval() {
  gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.gnome.Shell.Eval "$1" 2>/dev/null
}
# The window of ours with this title: listed, focused, not above; the Shell's own words.
listed_and_focused() {
  shell_eval "const w = global.display.get_tab_list(0, null)
      .find(w => w.get_pid() === $app_pid && w.get_title() === '$1');
    !!w && w.has_focus() && !w.is_above() && !w.is_skip_taskbar()" | grep -q "'true'"
}
other_focused() {
  shell_eval "global.display.focus_window?.get_wm_class() ?? ''" | grep -q "foot"
}
# The user clicks the terminal: a Shell from 48 on does not focus a window started without a
# launcher's token.
focus_terminal() {
  shell_eval "const w = global.get_window_actors().map(a => a.meta_window)
    .find(w => w.get_wm_class() === 'foot'); if (w) Main.activateWindow(w)" >/dev/null
  other_focused
}
start_app
# A shell of its own: the session user may have none to log in with.
foot sh -c "exec cat >/dev/null" >/dev/null 2>&1 &
pids+=($!)
wait_for 20 focus_terminal || fail "the terminal did not take the focus"
"$app" --show-history || fail "--show-history failed"
wait_for 10 listed_and_focused History || fail "History is not in front, focused and listed"
wait_for 10 focus_terminal || fail "the terminal did not take the focus back"
"$app" --show-settings || fail "--show-settings failed"
wait_for 10 listed_and_focused Settings || fail "Settings is not in front, focused and listed"
history_listed() {
  shell_eval "global.display.get_tab_list(0, null).some(w => w.get_title() === 'History')" |
    grep -q "'true'"
}
history_listed || fail "History left the window list"
"$app" --quit || fail "--quit failed"
wait "$app_pid" || fail "the application exited with $?"
echo PASS
