#!/usr/bin/env bash
# Runs one test program on a private X server with a window manager, as a
# player's desktop has one: windows get frames, can be minimised and restored,
# and the tests read what the window system holds about them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${PEBBLE_ON_X_SERVER:-}" ]; then
  # A display number of its own to start the search from: tests that start
  # their X servers at the same moment would otherwise race for :99.
  exec env PEBBLE_ON_X_SERVER=1 xvfb-run -a -n $((100 + RANDOM % 800)) \
    -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi
jwm -f "$here/jwmrc" >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
QT_QPA_PLATFORM=xcb "$@"
