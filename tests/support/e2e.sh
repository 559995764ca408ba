# Sourced by the end-to-end scripts that drive the built application inside a desktop session:
# a fresh home, the processes they start (ended with the script), waiting and comparing bytes.
# A returning user: the welcome guide would take the focus from the programs the test drives.
work=$(mktemp -d "$XDG_RUNTIME_DIR/e2e.XXXXXX")
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
app_listening() {
  wait_for 60 test -S "$XDG_RUNTIME_DIR/quillstack/quillstack.socket" ||
    fail "the application did not start"
}
# A GTK 4 program that copies three types, a NUL in its private one, once its window is active.
copy_three_types() { GDK_BACKEND=wayland python3 "$support/three_types.py" & pids+=($!); }
