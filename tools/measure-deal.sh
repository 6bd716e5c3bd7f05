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

. "$(dirname "$0")/private-session.sh"
mkdir -p "$home/.config/pebbledrome"
cat > "$home/.config/pebbledrome/settings.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\SOFTWARE\Varnex-Soft\Pebbledrome\Konfiguration]
"Nur lösbare Spiele"=dword:00000001
REG
"$game" "$@" >/dev/null 2>&1 &
gpid=$!

window=""
for _ in $(seq 300); do
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
