#!/usr/bin/env bash
# Runs vividswirl.exe under Wine on the current X display as a user would:
# finds its window by title, checks screenshots pixel by pixel, pauses with
# SPACE, clears the fluid and paints a stroke with a real mouse drag, and
# quits with ESCAPE.
# Usage: vividswirl_end_to_end_test.sh PATH/TO/vividswirl.exe
set -euo pipefail
program="$1"
work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The cursor starts outside the window, so no button is hovered.
xdotool mousemove 1270 1010
env -u TAMO_EXAMPLE_TEST wine "$program" >"$work/out" 2>"$work/err" &
pid=$!

window=""
for _ in $(seq 1 150); do
  window="$(xdotool search --name '^Vividswirl / Tamo \+ Quorvel fluid$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: the window did not appear" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
window_x="$X"
window_y="$Y"

shot() { # name
  local tries
  for tries in $(seq 1 20); do
    import -window "$window" "$work/$1.png" 2>/dev/null && return
    sleep 0.05
  done
  echo "FAIL: no screenshot of the window" >&2
  exit 1
}

# The client area starts at the first pixel of the background colour, near
# the window's top-left corner, once the first frame is shown.
origin=""
for _ in $(seq 1 60); do
  shot first
  convert "$work/first.png" -crop 64x64+0+0 -depth 8 txt:"$work/corner.txt"
  origin="$(grep -m1 '#111B22' "$work/corner.txt" | cut -d: -f1 || true)"
  [ -n "$origin" ] && break
  sleep 0.05
done
[ -n "$origin" ] || { echo "FAIL: no frame was shown" >&2; exit 1; }
origin_x="${origin%,*}"
origin_y="${origin#*,}"

pixel() { # shot, client x, client y -> "r g b"
  convert "$work/$1.png" -crop "1x1+$((origin_x + $2))+$((origin_y + $3))" -depth 8 txt:- |
    tail -1 | sed 's/.*: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/'
}

expect_pixel() { # shot, x, y, "r g b", what
  local got
  got="$(pixel "$1" "$2" "$3")"
  [ "$got" = "$4" ] || fail "$5 at ($2, $3) in $1 is ($got), not ($4)"
}

expect_coloured() { # shot, x, y, least brightest channel, what
  local r g b
  read -r r g b <<<"$(pixel "$1" "$2" "$3")"
  local brightest=$((r > g ? (r > b ? r : b) : (g > b ? g : b)))
  [ "$brightest" -ge "$4" ] || fail "$5 at ($2, $3) in $1 is ($r $g $b)"
}

canvas_of() { # shot -> the canvas area as raw pixels
  convert "$work/$1.png" -crop "672x448+$((origin_x + 34))+$((origin_y + 161))" -depth 8 rgb:-
}

click_point() { # client x, y
  xdotool mousemove "$((window_x + origin_x + $1))" "$((window_y + origin_y + $2))"
}

key() {
  xdotool windowfocus "$window" key "$@"
  sleep 0.3
}

# Right after start: background, canvas corners no dye has reached yet, the
# seed splats, the Pause button and the heading text.
expect_pixel first 5 5 "17 27 34" "background"
expect_pixel first 995 695 "17 27 34" "background"
expect_pixel first 720 150 "17 27 34" "background"
for corner in "34 161" "705 161" "34 608" "705 608"; do
  expect_pixel first ${corner} "0 0 10" "empty canvas corner"
done
expect_coloured first 233 374 150 "the first seed splat"
expect_coloured first 499 381 150 "the second seed splat"
expect_pixel first 120 668 "48 116 96" "Pause button fill"
convert "$work/first.png" -crop "170x36+$((origin_x + 34))+$((origin_y + 57))" -depth 8 \
  txt:"$work/heading.txt"
grep -q '#DDE9E6' "$work/heading.txt" || fail "no heading text in the label colour"
grep -q '#111B22' "$work/heading.txt" || fail "no background around the heading text"

# SPACE pauses: the canvas stands still.
click_point 900 100
key space
shot paused_a
sleep 0.4
shot paused_b
cmp -s <(canvas_of first) <(canvas_of paused_a) && fail "the canvas did not move before the pause"
cmp -s <(canvas_of paused_a) <(canvas_of paused_b) || fail "the canvas moved while paused"

# Resume, fountains off, clear: an empty canvas; then a drag paints a stroke.
key space
key a
key r
shot cleared
for point in "100 560" "375 560" "650 560" "375 250"; do
  expect_pixel cleared ${point} "0 0 10" "cleared canvas"
done
click_point 100 560
xdotool mousedown 1
for x in $(seq 100 25 650); do
  click_point "$x" 560
  sleep 0.03
done
xdotool mouseup 1
key space
shot painted
for x in 150 375 600; do
  expect_coloured painted "$x" 560 40 "the painted stroke"
done
expect_pixel painted 375 250 "0 0 10" "canvas away from the stroke"

# ESCAPE quits with status 0 and nothing on the error stream.
key Escape
status=""
for _ in $(seq 1 50); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && status=0 || status=$?
    break
  fi
  sleep 0.1
done
pid_done="$status"
[ "$pid_done" = "0" ] || fail "status after ESCAPE is '${pid_done:-still running}'"
[ ! -s "$work/err" ] || fail "standard error: $(cat "$work/err")"
pid=""

[ "$failures" -eq 0 ] || exit 1
echo "end to end: pass"
