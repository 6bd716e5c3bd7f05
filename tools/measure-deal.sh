#!/bin/sh
# How the window answers while it deals fields that can be cleared, measured
# from outside the process: the game starts with "only deals that can be
# cleared" on, in a private home folder on a private X server; five new games
# are dealt in a row (key N), and all the while the window is pinged as a
# desktop pings it before it calls it "not responding". The ping tool prints
# every answer slower than 50 ms and, at the end, the median, the 99th
# percentile and the longest wait.
#
#   tools/measure-deal.sh [game binary] [ping tool] [further game arguments]
#
# Defaults: build/pebbledrome and build/tools/pebble_window_ping. Needs Xvfb
# and xdotool.
set -eu

game=${1:-build/pebbledrome}
ping=${2:-build/tools/pebble_window_ping}
[ $# -gt 2 ] && shift 2 || set --
[ -x "$game" ] || { echo "no game binary at $game" >&2; exit 1; }
[ -x "$ping" ] || { echo "no ping tool at $ping" >&2; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

home=$(mktemp -d)
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
xpid=""
gpid=""
cleanup() {
  [ -n "$gpid" ] && kill "$gpid" 2>/dev/null || true
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT INT TERM

mkdir -p "$home/.config/pebbledrome"
cat > "$home/.config/pebbledrome/settings.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\SOFTWARE\Varnex-Soft\Pebbledrome\Konfiguration]
"Nur lösbare Spiele"=dword:00000001
REG

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
waited=0
until [ -e "/tmp/.X11-unix/X$display" ]; do
  sleep 0.1
  waited=$((waited + 1))
  [ "$waited" -lt 100 ] || { echo "the X server did not start" >&2; exit 1; }
done

export DISPLAY=":$display" HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
unset QT_QPA_PLATFORM
"$game" "$@" >/dev/null 2>&1 &
gpid=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --pid "$gpid" --onlyvisible 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window of the game found" >&2; exit 1; }
sleep 2  # the first deal, dealt before the window showed, is not measured

"$ping" "$window" 14 &
ppid=$!
sleep 1
for deal in 1 2 3 4 5; do
  xdotool windowfocus --sync "$window" key n
  sleep 2
done
wait "$ppid"
