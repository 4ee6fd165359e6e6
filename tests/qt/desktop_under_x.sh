#!/bin/sh
# The desktop game on a real X server: starts quintar-desktop on a private
# Xvfb display with two people playing, clicks the middle of the window and
# finds the red cross there in a screenshot, then plays the cell to its right
# from the keyboard and finds the blue nought; ended by SIGTERM, it keeps
# those two moves.
#
#   desktop_under_x.sh path/to/quintar-desktop
#
# Exit 77 (skipped) when Xvfb, xdotool or ImageMagick is missing. Every wait
# gives up after a bounded number of tries, so nothing hangs.
set -eu

game=$1
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() { echo "FAILED: $*" >&2; exit 1; }

# Tries Command every fifth of a second, up to Tries times.
retry() {
  tries=$1; shift
  while [ "$tries" -gt 0 ]; do
    if "$@"; then return 0; fi
    tries=$((tries - 1))
    sleep 0.2
  done
  return 1
}

# A display number of its own, chosen by the server.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
retry 50 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

# Fresh settings: two people share the board; no game kept from before.
mkdir -p "$work/config/Quarbel" "$work/data"
printf '[players]\ncrosses\\player=person\nnoughts\\player=person\n' >"$work/config/Quarbel/Quintar.conf"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb "$game" >"$work/game.log" 2>&1 &
game_pid=$!

find_window() { xdotool search --onlyvisible --name '^Quintar$' >"$work/window" 2>/dev/null; }
retry 100 find_window || fail "no window appeared: $(cat "$work/game.log")"
window=$(head -n 1 "$work/window")
eval "$(xdotool getwindowgeometry --shell "$window")"

# Pixels of Color in the Width x Height box at Left, Top of a new screenshot.
count_pixels() {
  import -window root "$work/shot.png"
  convert "$work/shot.png" -crop "$3x$4+$1+$2" +repage txt:- | grep -ci "$5" || true
}
shows() { [ "$(count_pixels "$@")" -gt 0 ]; }

centre_x=$((X + WIDTH / 2))
centre_y=$((Y + HEIGHT / 2))
box_left=$((centre_x - 20))
box_top=$((centre_y - 20))
! shows "$box_left" "$box_top" 40 40 '#FF0000' || fail "red at the centre before any move"

xdotool mousemove --sync "$centre_x" "$centre_y" click 1
retry 50 shows "$box_left" "$box_top" 40 40 '#FF0000' || fail "no cross where the window was clicked"

# The focus cell is the cell clicked; the arrow moves it one to the right.
xdotool key Right space
retry 50 shows "$centre_x" "$box_top" 70 40 '#0000FF' || fail "no nought to the right of the cross"
echo "a click and a key press each left their mark"

# Ended by a termination, as at logging out, it keeps the game as Quit does.
kill -TERM "$game_pid"
wait "$game_pid" || fail "ended by SIGTERM with status $?: $(cat "$work/game.log")"
game_pid=
kept="$work/data/Quarbel/Quintar/game.psq"
[ "$(grep -c '^[0-9]*,[0-9]*,[0-9]*' "$kept" 2>/dev/null)" = 2 ] || fail "the two moves were not kept at SIGTERM"
echo "ended by SIGTERM, it kept the game"
