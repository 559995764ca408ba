# SPDX-License-Identifier: MIT
# Copies a history into the running application, for the measuring scripts (sourced; uses the
# caller's $work folder and pids array).
#   prepare_mixed_records N      makes the content first, so that copying it is quick
#   copy_mixed_records N [PACE]  N records, PACE seconds apart (default 0.25; a picture, read in
#                                many parts, gets 1.5 s), each served by its own xclip until the
#                                next one takes over
# The mixed set: in every ten records eight texts of 10 bytes to 5 KB on several lines, one
# 640x360 picture and one list of two files (a picture first in every other list).

prepare_mixed_records() {
  local n="$1" i
  mkdir -p "$work/records/files"
  convert -size 320x240 plasma:fractal "$work/records/photo.png" 2>/dev/null ||
    convert -size 320x240 xc:'#88c0d0' "$work/records/photo.png"
  for i in $(seq 1 "$n"); do
    case $((i % 10)) in
      0)
        # Different pictures, so none is dropped as a duplicate.
        convert -size 640x360 -seed "$i" plasma:fractal "$work/records/$i.png" 2>/dev/null ||
          convert -size 640x360 xc:"rgb($((i % 256)),90,160)" "$work/records/$i.png"
        ;;
      5)
        cp "$work/records/photo.png" "$work/records/files/photo-$i.png"
        printf 'notes %d\n' "$i" >"$work/records/files/notes-$i.txt"
        if [ $((i % 20)) -eq 5 ]; then
          printf 'file://%s\r\nfile://%s\r\n' "$work/records/files/photo-$i.png" "$work/records/files/notes-$i.txt"
        else
          printf 'file://%s\r\nfile://%s\r\n' "$work/records/files/notes-$i.txt" "$work/records/files/photo-$i.png"
        fi >"$work/records/$i.uris"
        ;;
      *)
        { printf 'record %d: ' "$i"; head -c $((RANDOM % 3700 + 8)) /dev/urandom | base64 -w 76; } \
          >"$work/records/$i.txt"
        ;;
    esac
  done
}

copy_mixed_records() {
  local n="$1" pace="${2:-0.25}" i owner="" new_owner
  for i in $(seq 1 "$n"); do
    case $((i % 10)) in
      0) xclip -quiet -selection clipboard -t image/png -i "$work/records/$i.png" ;;
      5) xclip -quiet -selection clipboard -t text/uri-list -i "$work/records/$i.uris" ;;
      *) xclip -quiet -selection clipboard -i "$work/records/$i.txt" ;;
    esac >/dev/null 2>&1 &
    new_owner=$!
    pids+=("$new_owner")
    if [ $((i % 10)) -eq 0 ]; then sleep 1.5; else sleep "$pace"; fi
    [ -n "$owner" ] && kill "$owner" 2>/dev/null
    owner=$new_owner
  done
  sleep 1
  kill "$owner" 2>/dev/null
}

# The application's folder of the display this shell is on, under BASE (its lock, socket and blob
# folder): named as PrivateTempDirectory::displayFolderName names it.
display_folder() {
  local name=""
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then name=${WAYLAND_DISPLAY##*/}
  elif [ -n "${DISPLAY:-}" ]; then name="x11${DISPLAY%.*}"; fi
  echo "$1${name:+/$name}"
}
