#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built application on KDE Plasma's KWin on Wayland, driven as a user would: run by ctest
# inside tools/kwin-session.
#   kwin_end_to_end.sh QUILLSTACK_BINARY KWIN_DRIVER QT_PASTE_TARGET
set -u
app=$1 driver=$2 qt_target=$3
. "$(dirname "$0")/../support/e2e.sh"
apps="$XDG_DATA_HOME/applications"
mkdir -p "$apps"
# KWin grants fake input and its window list to an executable whose desktop file asks.
# One rebuild of the service cache for all grants: KWin notices a rebuild only after a while.
entry() {  # EXECUTABLE...: its desktop file, as tools/run writes one
  local exe
  for exe; do
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input,org_kde_plasma_window_management,org_kde_kwin_keystate\n' \
      "$(basename "$exe")" "$exe" >"$apps/$(basename "$exe")-$(echo "$exe" | md5sum | cut -c1-8).desktop"
  done
}
grant() {  # EXECUTABLE...
  entry "$@"
  # Plasma 6 names the cache builder after its frameworks' major version.
  "$(command -v kbuildsycoca6 || command -v kbuildsycoca5)" --noincremental >/dev/null 2>&1
}
is_active() { "$driver" active | grep -q " $1\$"; }
holds() { [ "$(timeout 5 wl-paste -n 2>/dev/null | hex)" = "$(printf %s "$1" | hex)" ]; }
copy() {  # the owner leaves; the application keeps the copy
  printf %s "$1" | wl-copy --foreground &
  local owner=$!
  wait_for 5 holds "$1" || fail "could not copy $1"
  wait_for 10 newest_is "$1" || fail "$1 was not recorded"
  kill "$owner"; wait "$owner" 2>/dev/null
  wait_for 5 holds "$1" || fail "the copy of $1 was not kept"
}
start_target() {  # terminal|qt FILE
  case $1 in
    terminal)
      printf '#!/bin/sh\nstty raw -echo\nexec cat >%s\n' "$2" >"$work/cat.sh"; chmod +x "$work/cat.sh"
      weston-terminal --shell="$work/cat.sh" >/dev/null 2>&1 & ;;
    qt) "$qt_target" "$2" & ;;
  esac
  pids+=($!)
  wait_for 20 test -e "$2" || fail "$1 did not start"
  # The window the user works in: it has the focus.
  wait_for 10 is_active "${pids[-1]}" || fail "$1 did not get the focus"
}
# The chord typed on a keyboard of the driver's own; a KWin slowed by the load now and then
# misses a chord typed in one go, as it would a user's, who presses it again.
press_chord() {
  local try
  for try in 1 2 3 4; do
    "$driver" keys chord || return 1
    wait_for 3 is_active "$app_pid" && return 0
  done
  return 1
}
# The shortcut as KGlobalAccel runs it; true once the popup shows.
invoke() {
  gdbus call --session -d org.kde.kglobalaccel -o /component/quillstack \
    -m org.kde.kglobalaccel.Component.invokeShortcut toggle-popup >/dev/null &&
    wait_for 10 is_active "$app_pid"
}
type_keys() { "$driver" keys "$@"; }

grant "$driver" "$(readlink -f "$app")"
# KWin reads the rebuilt cache a moment later: once the driver is granted, so is the application.
wait_for 20 "$driver" active >/dev/null || fail "KWin does not grant the desktop files' interfaces"
# KWin 6.5 and later offer the standard data control alone: the copies below then prove that path.
start_app

# The terminal pastes on Ctrl+Shift+V, a Qt field on Ctrl+V; a Shift still held over Return
# (plain text) must not turn the typed Ctrl+V into Ctrl+Shift+V.
paste_rows <<EOF2
terminal|alpha beta|terminal|invoke|Down Return|616c706861
chord-pressed|Grüße|qt|press_chord|Return|4772c3bcc39f65
shift-held|zeta|qt|invoke|shift-down Return pause shift-up|7a657461
EOF2

# The popup opens in the middle of tools/kwin-session's one 1280x800 output, as on sway and
# GNOME, whatever its height.
centred() {
  local x y w h
  read -r x y w h <<<"$("$driver" frame)" && [ -n "$h" ] &&
    [ $((2 * x + w - 1280)) -ge -2 ] && [ $((2 * x + w - 1280)) -le 2 ] &&
    [ $((2 * y + h - 800)) -ge -2 ] && [ $((2 * y + h - 800)) -le 2 ]
}
invoke || fail "centred: no popup"
wait_for 5 centred || fail "the popup is not centred: $("$driver" frame)"
type_keys Escape || fail "centred: keys not typed"

# Without the desktop file's grant the chord still opens the popup through KGlobalAccel; the
# choice goes to the clipboard and nothing is typed: the user presses Ctrl+V.
# A copy of the executable: no desktop file names it.
kill "$app_pid"; wait "$app_pid" 2>/dev/null
mkdir "$work/bin" && cp "$app" "$work/bin/quillstack" && app="$work/bin/quillstack"
start_app
for text in delta epsilon; do copy "$text"; done
out="$work/no-grant.out"
start_target qt "$out"
invoke || fail "no-grant: no popup through KGlobalAccel"
type_keys Down Return || fail "no-grant: keys not typed"
wait_for 10 holds delta || fail "no-grant: the clipboard holds $(wl-paste -n), not delta"
sleep 0.5
file_is "$out" "" || fail "no-grant: something was typed: $(cat "$out")"
echo "ok: no grant (${SECONDS}s)"

# The desktop file written while it runs, as tools/run writes it, with no cache rebuild: the
# same process types the next paste, its history kept. A copy of the driver granted by a file
# written at the same time tells when KWin has read them.
mkdir "$work/late" && cp "$driver" "$work/late/kwin_driver"
entry "$app" "$work/late/kwin_driver"
start=$SECONDS
wait_for 20 "$work/late/kwin_driver" active >/dev/null || fail "late: KWin took no new desktop file"
echo "KWin grants a desktop file written meanwhile after $((SECONDS - start))s"
# The application asks again within a second of KWin and then registers its chord anew; a
# debug build says when both are done (a chord invoked between them is not heard).
regranted() { sed -n '/KWinGrant: fake input granted/,$p' "$work/app.log" | grep -q "installMonitors: chord"; }
wait_for 10 regranted || sleep 1
invoke || fail "late: no popup"
type_keys Down Return || fail "late: keys not typed"
wait_for 10 file_is "$out" "$(printf delta | hex)" ||
  fail "late: nothing typed after the grant: $(od -An -c "$out")"
kill -0 "$app_pid" && "$app" --list | grep -q "	epsilon$" || fail "late: the history was lost"
echo "ok: grant taken up while running (${SECONDS}s)"
