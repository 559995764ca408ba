# SPDX-License-Identifier: MIT
# Sourced by the headless session scripts: compositors and Shells refuse root, so as root (as CI
# runs) they and the command run as the unprivileged user quillstack-wl, created on first use.
# Sets `session_user` and the array `as_user` (a command prefix; empty when not root).
session_user="quillstack-wl"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  if ! id -u "$session_user" >/dev/null 2>&1; then
    # Two sessions starting at once must not both try to create the user.
    (
      flock 9
      id -u "$session_user" >/dev/null 2>&1 ||
        useradd --system --user-group --no-create-home --home-dir /nonexistent \
          --shell /usr/sbin/nologin "$session_user"
    ) 9>/var/lock/quillstack-wl-useradd.lock
    id -u "$session_user" >/dev/null 2>&1 ||
      { echo "$0: cannot create the user $session_user" >&2; exit 2; }
  fi
  # setpriv execs in place, so the process ids the scripts keep are the programs' own.
  as_user=(setpriv "--reuid=$(id -u "$session_user")" "--regid=$(id -g "$session_user")" --init-groups)
  "${as_user[@]}" true 2>/dev/null ||
    { echo "$0: cannot switch to the user $session_user (setpriv failed)" >&2; exit 2; }
fi

# Sets the array `cmd_as`: the prefix that runs PROGRAM as the session's user, or none when that
# user cannot reach it (root may use the user's session, and a build in a folder only root can
# enter still runs).
command_prefix_for() {
  local reach='case "$1" in */*) test -x "$1" ;; *) command -v "$1" ;; esac'
  cmd_as=("${as_user[@]}")
  if [ ${#as_user[@]} -gt 0 ] && ! "${as_user[@]}" sh -c "$reach" sh "$1" >/dev/null 2>&1; then
    echo "$0: $session_user cannot reach $1; running it as $(id -un)" >&2
    cmd_as=()
  fi
}
