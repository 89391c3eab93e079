#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A pupil's session with the Windows program under Wine, on the X screen of
# the test run, with real key strokes: the worked example under US English
# settings, zoomed to 200 % and back, then "2,5" / 4 / 1 under Bulgarian ones,
# pressed twice, then the zoom on a screen at 150 % (Wine's 144 dots per
# inch), and the step kept for the next start. Each field is read back as the pupil would copy it; the window is
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

# The program's names, for where it keeps its zoom.
. "$(dirname "$exe")/../generated/prism/program_info.sh"
settings_key="HKCU\\Software\\$address\\$name"
desktop_key='HKCU\Control Panel\Desktop'
# Each run starts from no kept zoom, at 96 dots per inch.
"$wine_run" reg delete "$settings_key" /f >/dev/null 2>&1 || true
"$wine_run" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

pid=
window=
clipboard_pids=()
log=$(mktemp)
# A program left open by a failed check would hold the test run's output.
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true
      for p in "${clipboard_pids[@]}"; do kill "$p" 2>/dev/null || true; done
      rm -f "$log"' EXIT
start() {
  LANG=$1 LC_ALL=$1 "$wine_run" "$exe" >"$log" 2>&1 &
  pid=$!
  # Wine makes and drops windows of that class while the program starts, and
  # xdotool dies on an X error when one goes while it looks: ask again until
  # a window is found that still stands after the program had time to paint.
  local tries=0 name
  name=$(basename "$exe")
  window=
  while [ -z "$window" ]; do
    [ "$tries" -lt 60 ] || fail "no window within a minute"
    tries=$((tries + 1))
    sleep 1
    window=$(xdotool search --onlyvisible --classname "$name" 2>/dev/null | head -1) || window=
    [ -n "$window" ] || continue
    # Let it paint before it is looked at or typed into.
    sleep 2
    xdotool getwindowgeometry "$window" >/dev/null 2>&1 || window=
  done
  at=task
}

# The key closes the window of that title; Wine hides it after the key.
close_with() {
  keys "$1"
  for _ in $(seq 20); do
    xdotool search --onlyvisible --name "$2" >/dev/null 2>&1 || break
    sleep 0.5
  done
  xdotool search --onlyvisible --name "$2" >/dev/null 2>&1 && fail "$label: $1 did not close it"
  return 0
}

# Key strokes (xdotool key or type) to the window. xdotool's complaint about
# Xvfb's focus answer is noise; what the keys did is checked in the fields.
to_window() {
  local how=$1
  shift
  xdotool "$how" --window "$window" "$@" 2>&1 | grep -v XGetInputFocus >&2 || true
}
keys() { to_window key "$@"; }

# The session moves along the window's tab order, as a keyboard user does, so
# that it holds no pixel position of the layout: the window opens with the
# focus in the task text, Tab reaches field a, the five fields follow one
# another (their check boxes never take the focus), then come the list, the
# calculate and the clear button. at says where the focus is: task, a field's
# index, or clear.
to_field() {
  local field=$1
  if [ "$at" = task ]; then keys Tab; at=0; fi
  if [ "$at" = clear ]; then keys shift+Tab shift+Tab shift+Tab; at=4; fi
  while [ "$at" -lt "$field" ]; do keys Tab; at=$((at + 1)); done
  while [ "$at" -gt "$field" ]; do keys shift+Tab; at=$((at - 1)); done
  sleep 0.2
}

type_into() {
  to_field "$1"
  keys ctrl+a
  to_window type --delay 80 "$2"
}

# Enter in a value field calculates.
calculate() {
  keys Return
  sleep 0.3
}

clear_fields() {
  to_field 4
  keys Tab Tab Tab space
  at=clear
  sleep 0.3
}

# Sets copied to the field's text, selected with the keyboard and copied to
# the clipboard. An empty field copies nothing and leaves the clipboard as it
# was: a marker put there before tells. The marker's owner stays until the
# window takes the clipboard from it, and is ended by its PID where the window
# never does.
field_text() {
  local none="(nothing copied)"
  printf '%s' "$none" | xclip -quiet -i -selection clipboard >/dev/null 2>&1 &
  clipboard_pids+=($!)
  for _ in $(seq 30); do
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$none" ] && break
    sleep 0.1
  done
  to_field "$1"
  keys ctrl+a ctrl+c
  sleep 0.3
  copied=$(xclip -o -selection clipboard)
  [ "$copied" != "$none" ] || copied=
}

# Wine may take longer than a pause to show a press or to hand over a copy
# when the machine is busy: each field is read again, for up to three
# seconds, before it is found wrong.
expect_fields() {
  local i try
  for i in 0 1 2 3 4; do
    for try in $(seq 10); do
      field_text "$i"
      [ "$copied" = "${@:$((i + 1)):1}" ] && break
      sleep 0.3
    done
    [ "$copied" = "${@:$((i + 1)):1}" ] || fail "$label: field $i shows '$copied', not '${@:$((i + 1)):1}'"
  done
}

# How many pixels of the picture have exactly the colour #RRGGBB.
colour_pixels() {
  convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:round(mean*w*h)]' info:
}

# Each button's face, some 90 by 25 pixels less its caption, in its colour.
keep_picture() {
  local picture=$pictures/session-$1.png
  import -window "$window" "$picture"
  [ "$(colour_pixels "$picture" '#00FF00')" -gt 1000 ] || fail "$1: the calculate button is not green"
  [ "$(colour_pixels "$picture" '#FF0000')" -gt 1000 ] || fail "$1: the clear button is not red"
  echo "window: $picture"
}

# The size of the window's inside, WIDTHxHEIGHT.
window_size() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }

# Zoom keys, then the size the window has after them: exactly, or, at a
# fractional scale, within the device pixel the window system may round by.
expect_zoom() {
  local size=$1
  shift
  [ $# -eq 0 ] || keys "$@"
  local tries seen
  for tries in $(seq 20); do
    seen=$(window_size)
    [ "$seen" = "$size" ] && return 0
    if [ -n "${slack:-}" ]; then
      local w=${seen%x*} h=${seen#*x}
      [ $((w - ${size%x*})) -le 1 ] && [ $((${size%x*} - w)) -le 1 ] &&
        [ $((h - ${size#*x})) -le 1 ] && [ $((${size#*x} - h)) -le 1 ] && return 0
    fi
    sleep 0.2
  done
  fail "$label: after $*, the window is $seen, not $size"
}

# Whether the drawing in the picture is drawn at its size rather than the
# 100 % picture with each pixel made a block of three: sampled down to a
# third and up again, it must lose detail.
expect_drawn() {
  local picture=$1 left=$2 top=$3 width=$4 height=$5 crop
  crop=$(mktemp --suffix=.png)
  convert "$picture" -crop "${width}x${height}+${left}+${top}" +repage "$crop"
  local lost
  lost=$(convert "$crop" -sample 33.3333% -sample "${width}x${height}!" miff:- |
    compare -metric AE "$crop" - null: 2>&1 || true)
  rm -f "$crop"
  [ "${lost%% *}" -gt 1000 ] || fail "$label: the drawing is a blown-up picture ($lost pixels differ)"
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
calculate
expect_fields 3.0000000 4.0000000 5.0000000 70.0000000 60.0000000
keep_picture en_US
# To 200 % for a projector, each key once, and back: what was typed and
# computed stays.
label="zoom"
expect_zoom 962x848 ctrl+equal ctrl+plus ctrl+KP_Add ctrl+equal
keep_picture en_US-200
expect_fields 3.0000000 4.0000000 5.0000000 70.0000000 60.0000000
expect_zoom 721x636 ctrl+minus ctrl+KP_Subtract
expect_zoom 481x424 ctrl+0
stop

label="Bulgarian settings"
start bg_BG.UTF-8
type_into 0 2,5
type_into 1 4
type_into 2 1
calculate
expect_fields 2,5000000 4,0000000 1,0000000 13,0000000 10,0000000
# The second press reads back what the first one wrote.
calculate
expect_fields 2,5000000 4,0000000 1,0000000 13,0000000 10,0000000
keep_picture bg_BG
# F2: the worked solution beside it, its text copied whole with Ctrl+A,
# Ctrl+C; F2 closes it again.
main_window=$window
keys F2
sleep 2
window=$(xdotool search --onlyvisible --name "^Решение" 2>/dev/null | head -1) || window=
[ -n "$window" ] || fail "$label: F2 opened no solution"
printf '%s' "(nothing copied)" | xclip -quiet -i -selection clipboard >/dev/null 2>&1 &
clipboard_pids+=($!)
keys ctrl+a ctrl+c
sleep 0.5
solution=$(xclip -o -selection clipboard | tr -d '\r')
grep -qx "Отговор:" <<<"$solution" || fail "$label: no answer in the copied solution: $solution"
grep -qx "S = 13" <<<"$solution" || fail "$label: the answer is not S = 13: $solution"
close_with F2 "^Решение"
# F3: the window "Задача", a problem written as in the notebook; its
# solution, the field before the text box, copied whole; F3 closes it.
window=$main_window
keys F3
sleep 2
window=$(xdotool search --onlyvisible --name "^Задача" 2>/dev/null | head -1) || window=
[ -n "$window" ] || fail "$label: F3 opened no problem window"
# Keys sent to a window carry no Shift under Wine: nothing sought, so the
# answer gives S, S₁ and V.
to_window type "a=3; b=4; c=5"
sleep 1
printf '%s' "(nothing copied)" | xclip -quiet -i -selection clipboard >/dev/null 2>&1 &
clipboard_pids+=($!)
keys shift+Tab ctrl+a ctrl+c
sleep 0.5
problem=$(xclip -o -selection clipboard | tr -d '\r')
grep -qx "V = 60" <<<"$problem" || fail "$label: the problem's answer is not V = 60: $problem"
close_with F3 "^Задача"
window=$main_window
clear_fields
expect_fields "" "" "" "" ""
stop

# A laptop at 150 %: every step that fits is reached by the keys, and the
# drawing is drawn at the size it is shown. The step is kept for the next
# start.
label="150 % screen"
"$wine_run" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start en_US.UTF-8
slack=1
expect_zoom 902x795 ctrl+plus
expect_zoom 1443x1272 ctrl+plus ctrl+plus ctrl+plus
picture=$pictures/session-150-200.png
# The window system has the new size before the program has painted it:
# the picture is taken once the window's colour reaches its far corner.
for tries in $(seq 20); do
  import -window "$window" "$picture"
  corner=$(convert "$picture" -gravity southeast -crop 8x8+4+4 +repage -format '%[hex:p{0,0}]' info:)
  [ "$corner" != 000000 ] && break
  sleep 0.5
done
[ "$corner" != 000000 ] || fail "$label: the window was not painted at its new size"
# The picture's frame at 200 % of 312, 40, 134 by 186 pixels, at 1.5.
expect_drawn "$picture" 940 124 390 546
echo "window: $picture"
stop
start en_US.UTF-8
expect_zoom 1443x1272
keys ctrl+0
stop
"$wine_run" reg add "$desktop_key" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
echo "session: ok"
