#!/usr/bin/env bash
# The real program under a window manager (openbox) on a display of its own:
# the frame's top-left corner lies at (582, 17), the client area is 800 x 380,
# and Alt+F4 ends the program with exit code 0.
#   window_manager_test.sh PROGRAM      (run inside xvfb-run)
set -u
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null' EXIT
sleep 1

"$program" &
pid=$!
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Zelvane v 0.1 $' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
sleep 0.5

# The client's place on the screen, and the frame the window manager put round it.
read -r x y width height < <(xwininfo -id "$window" |
  awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
       /^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print x, y, w, h}')
extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r left _right top _bottom <<<"$extents"
echo "client ${width}x${height} at ($x, $y), frame extents $extents"
[ "$width" = 800 ] && [ "$height" = 380 ] || fail "client is ${width}x${height}"
[ $((x - left)) = 582 ] && [ $((y - top)) = 17 ] ||
  fail "frame corner at ($((x - left)), $((y - top)))"
[ "$top" -gt 0 ] || fail "no title bar"

xdotool windowactivate --sync "$window"
xdotool key --clearmodifiers alt+F4
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "Alt+F4 did not end the program"; }
wait "$pid"
code=$?
[ "$code" = 0 ] || fail "exit code $code"
echo "PASS"
