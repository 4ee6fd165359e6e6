#!/bin/sh
# The desktop game as a screen reader hears it: starts a private Xvfb
# display and a D-Bus session with the accessibility bus, and lets
# desktop_speaks.py play the game with two people while it listens there.
#
#   desktop_speaks.sh path/to/quintar-desktop
#
# Exit 77 (skipped) when Xvfb, xdotool, dbus-run-session, the accessibility
# bus or Debian's Python with pyatspi is missing. Every wait is bounded.
set -eu

game=$1
here=$(dirname "$0")
python=/usr/bin/python3
for tool in Xvfb xdotool dbus-run-session "$python"; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] || { echo "skipped: at-spi2-core is not installed"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
tries=50
until [ -s "$work/display" ]; do
  tries=$((tries - 1))
  [ "$tries" -gt 0 ] || { echo "FAILED: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
  sleep 0.2
done
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

# Fresh settings and data: two people share the board.
mkdir -p "$work/config/Quarbel" "$work/data"
printf '[players]\ncrosses\\player=person\nnoughts\\player=person\n' >"$work/config/Quarbel/Quintar.conf"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb \
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 \
  dbus-run-session -- timeout 90 "$python" "$here/desktop_speaks.py" "$game"
