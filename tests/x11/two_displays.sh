#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# One user on two displays (a local and a remote session): each display runs its own Quillstack
# with its own clipboard and commands, and both keep their history in the one store, where
# neither loses the other's records or pins across a restart.
# Inside tools/x11-session:  two_displays.sh QUILLSTACK
set -u
app=$1
for tool in Xvfb xclip; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run tools/deps" >&2; exit 1; }
done
[ -n "${XDG_RUNTIME_DIR:-}" ] || { XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR; }
source "$(dirname "$0")/../support/e2e.sh"
printf 'keepHistory=true\n' >>"$HOME/.config/Quillstack/Quillstack.conf"
first=$DISPLAY
Xvfb -displayfd 3 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "no second display"
second=":$(cat "$work/display")"
on() { local display=$1; shift; DISPLAY=$display "$@"; }
start_on() {
  DISPLAY=$1 XDG_CONFIG_HOME="$HOME/.config" "$app" --language en >>"$work/app.log" 2>&1 &
  pids+=($!)
  wait_for 60 on "$1" "$app" --list >/dev/null 2>&1 || fail "no Quillstack on $1"
}
listed() { on "$1" "$app" --list 2>/dev/null | cut -f2 | tr '\n' ' '; }

start_on "$first"
start_on "$second"
printf 'alpha' | on "$first" xclip -selection clipboard
printf 'beta' | on "$second" xclip -selection clipboard
wait_for 10 sh -c "[ \"\$(DISPLAY=$first '$app' --list | cut -f2)\" = alpha ]" ||
  fail "the first display's copy: $(listed "$first")"
wait_for 10 sh -c "[ \"\$(DISPLAY=$second '$app' --list | cut -f2)\" = beta ]" ||
  fail "the second display's copy, its own: $(listed "$second")"
on "$second" "$app" --copy 1 >/dev/null  # an ordinary command, on its own display
printf 'gamma' | on "$first" xclip -selection clipboard
wait_for 10 sh -c "DISPLAY=$first '$app' --list | grep -q gamma" || fail "gamma not recorded"
for display in "$first" "$second"; do on "$display" "$app" --quit || fail "--quit on $display"; done
wait_for 10 sh -c "! DISPLAY=$first '$app' --list >/dev/null 2>&1" || fail "still running"
start_on "$first"
wait_for 10 sh -c "[ \"\$(DISPLAY=$first '$app' --list | cut -f2 | sort | tr '\n' ' ')\" = 'alpha beta gamma ' ]" ||
  fail "after a restart, each display's records: $(listed "$first")"
echo "PASS"
