# SPDX-License-Identifier: MIT
# Configures and builds a preset of this checkout, the one way every script in tools/ does:
#   . tools/lib/build.sh; build_preset release [TARGET...]
# ccache keeps one cache for every checkout, with paths taken relative to the checkout, so that a
# fresh clone (CI, a second worktree) reuses what another one compiled.
QUILLSTACK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/quillstack-ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
export CCACHE_BASEDIR="$QUILLSTACK_ROOT" CCACHE_NOHASHDIR=1

build_preset() {
  local preset=$1
  shift
  local targets=()
  for t; do targets+=(--target "$t"); done
  (cd "$QUILLSTACK_ROOT" && cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" "${targets[@]}")
}
