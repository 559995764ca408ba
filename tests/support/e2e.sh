# SPDX-License-Identifier: MIT
# Sourced by the end-to-end scripts that drive the built application inside a desktop session:
# a fresh home, the processes they start (ended with the script), waiting and comparing bytes.
# A returning user: the welcome guide would take the focus from the programs the test drives.
work=$(mktemp -d "${XDG_RUNTIME_DIR:?the session sets it}/e2e.XXXXXX") || exit 1
export HOME="$work/home"
mkdir -p "$HOME/.config/Quillstack"
printf '[General]\nonboardingCompleted=true\n' >"$HOME/.config/Quillstack/Quillstack.conf"
support=$(dirname "${BASH_SOURCE[0]}")
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; wait 2>/dev/null; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "--- application log" >&2; cat "$work/app.log" >&2; exit 1; }
wait_for() {  # SECONDS COMMAND...: until the command succeeds, every 50 ms
  local end=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.05; done
}
hex() { od -An -tx1 | tr -d ' \n'; }
# The history's newest record is this text.
newest_is() { "$app" --list 2>/dev/null | head -n 1 | grep -qx "1	$1"; }
file_is() { [ -f "$1" ] && [ "$(hex <"$1")" = "$2" ]; }
# The application as the user starts it, with the returning user's settings.
start_app() {
  XDG_CONFIG_HOME="$HOME/.config" "$app" --language en >>"$work/app.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
  wait_for 60 "$app" --list >/dev/null 2>&1 ||
    fail "the application did not start"
}
# The pastes of the table on standard input, one a line: NAME|COPIES (oldest first)|TARGET|
# OPENER (a command that opens the popup and returns once it shows)|KEYS|what TARGET must hold
# (hex). The script's copy, start_target TARGET FILE and type_keys do the work.
paste_rows() {
  while IFS='|' read -r name copies target opener keys expected; do
    for text in $copies; do copy "$text"; done
    out="$work/$name.out"
    start_target "$target" "$out" || fail "$name: $target did not start"
    $opener || fail "$name: the popup did not open"
    type_keys $keys || fail "$name: keys not typed"
    wait_for 10 file_is "$out" "$expected" ||
      fail "$name: $target got $(od -An -c "$out"), not hex $expected"
    # Nothing else arrives after it (a stray ^V or a second paste).
    sleep 0.5
    file_is "$out" "$expected" || fail "$name: then $target got $(od -An -c "$out")"
    kill "${pids[-1]}"
  done
}
# A GTK 4 program that copies three types, a NUL in its private one, once its window is active.
copy_three_types() { GDK_BACKEND=wayland python3 "$support/three_types.py" & pids+=($!); }
# GNOME: the Shell's answer to a JavaScript expression (the session's test extension allows it).
shell_eval() {
  gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.gnome.Shell.Eval "$1" 2>/dev/null
}
# GNOME: focuses the window of this class, as a click on it would; true once it has the focus.
focus() {
  shell_eval "const w = global.get_window_actors().map(a => a.meta_window)
    .find(w => w.get_wm_class() === '$1'); if (w && !w.has_focus()) Main.activateWindow(w);
    !!w && w.has_focus()" | grep -q "'true'"
}
