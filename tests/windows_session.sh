#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A pupil's session with the Windows program under Wine, on the X screen of
# the test run, with real mouse clicks and key strokes: the worked example
# under US English settings, then "2,5" / 4 / 1 under Bulgarian ones, pressed
# twice. Each field is read back as the pupil would copy it; the window is
# kept as a picture beside the build (session-*.png) and its buttons are
# checked for their colours.
# usage: windows_session.sh DRAVIK.EXE
set -euo pipefail

exe=$1
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../tools/wine_run.sh
pictures=$(dirname "$exe")/..
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "no X screen (tools/windows.sh runs this under xvfb-run)"

# Where the controls stand in the window, in pixels from its client area's
# top left corner: the centres of the value fields and of the two buttons,
# and a point of each button's face away from its caption.
field_x=204
field_y=(69 93 117 141 165)
calculate=(60 204)
clear=(188 204)
calculate_face=(22 197)
clear_face=(150 197)

pid=
window=
log=$(mktemp)
# A program left open by a failed check would hold the test run's output.
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; pkill -x xclip 2>/dev/null || true; rm -f "$log"' EXIT
start() {
  LANG=$1 LC_ALL=$1 "$wine_run" "$exe" >"$log" 2>&1 &
  pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --classname "$(basename "$exe")" | head -1) ||
    fail "no window within a minute"
  # Let it paint before it is looked at or clicked.
  sleep 2
}

# Key strokes (xdotool key or type) to the window. xdotool's complaint about
# Xvfb's focus answer is noise; what the keys did is checked in the fields.
to_window() {
  local how=$1
  shift
  xdotool "$how" --window "$window" "$@" 2>&1 | grep -v XGetInputFocus >&2 || true
}
keys() { to_window key "$@"; }

click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.3
}

type_into() {
  click "$field_x" "${field_y[$1]}"
  keys ctrl+a
  to_window type --delay 80 "$2"
}

# The field's text, selected with the keyboard and copied to the clipboard.
# An empty field copies nothing and leaves the clipboard as it was: a marker
# put there before tells.
field_text() {
  local none="(nothing copied)" text
  printf '%s' "$none" | xclip -i -selection clipboard >/dev/null 2>&1
  click "$field_x" "${field_y[$1]}"
  keys ctrl+a ctrl+c
  sleep 0.3
  text=$(xclip -o -selection clipboard)
  [ "$text" = "$none" ] || printf '%s' "$text"
}

expect_fields() {
  local i text
  for i in 0 1 2 3 4; do
    text=$(field_text "$i")
    [ "$text" = "${@:$((i + 1)):1}" ] || fail "$label: field $i shows '$text', not '${@:$((i + 1)):1}'"
  done
}

# The colour of one pixel of the picture, as #RRGGBB.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p'
}

keep_picture() {
  local picture=$pictures/session-$1.png
  import -window "$window" "$picture"
  [ "$(pixel "$picture" "${calculate_face[@]}")" = "#00FF00" ] || fail "$1: the calculate button is not green"
  [ "$(pixel "$picture" "${clear_face[@]}")" = "#FF0000" ] || fail "$1: the clear button is not red"
  echo "window: $picture"
}

stop() {
  keys alt+F4
  local status=0
  timeout 30 tail --pid="$pid" -f /dev/null || fail "$label: the window did not close"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$label: the program ended with status $status: $(cat "$log")"
}

label="worked example"
start en_US.UTF-8
type_into 0 3
type_into 1 4
type_into 2 5
click "${calculate[@]}"
expect_fields 3.0000000 4.0000000 5.0000000 70.0000000 60.0000000
keep_picture en_US
stop

label="Bulgarian settings"
start bg_BG.UTF-8
type_into 0 2,5
type_into 1 4
type_into 2 1
click "${calculate[@]}"
expect_fields 2,5000000 4,0000000 1,0000000 13,0000000 10,0000000
# The second press reads back what the first one wrote.
click "${calculate[@]}"
expect_fields 2,5000000 4,0000000 1,0000000 13,0000000 10,0000000
keep_picture bg_BG
click "${clear[@]}"
expect_fields "" "" "" "" ""
stop
echo "session: ok"
