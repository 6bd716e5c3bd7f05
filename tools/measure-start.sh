#!/bin/sh
# What the game costs the machine, measured from outside the process: the
# CPU-seconds it has used (user and system) and its resident memory 1, 10 and
# 30 s after its start, then while five new games are dealt in a row (key N),
# and 10 and 30 s after the last of them. It plays on a private X server, in a
# private home folder, so the player's settings and scores are never touched.
#
#   tools/measure-start.sh [game binary] [seconds between two deals]
#
# The binary defaults to build/pebbledrome, the pause between deals to 2 s.
# Needs Xvfb and xdotool.
set -eu

game=${1:-build/pebbledrome}
gap=${2:-2}
[ -x "$game" ] || { echo "no game binary at $game" >&2; exit 1; }

. "$(dirname "$0")/private-session.sh"
ticks=$(getconf CLK_TCK)
start=$(date +%s.%N)
"$game" >/dev/null 2>&1 &
gpid=$!

# Seconds since the start, CPU-seconds used and resident memory in MB.
sample() {
  [ -r "/proc/$gpid/stat" ] || { echo "the game has ended" >&2; exit 1; }
  # Fields 14 and 15 of stat (user and system time) counted after the
  # command's name, which ends with the last ')'.
  cpu=$(sed 's/.*) //' "/proc/$gpid/stat" | awk -v t="$ticks" '{ printf "%.2f", ($12 + $13) / t }')
  rss=$(awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$gpid/status")
  now=$(date +%s.%N)
  printf '%-34s %6.1f s  cpu %6s s  rss %6s MB\n' "$1" "$(echo "$now - $start" | bc)" "$cpu" "$rss"
}

# Sleeps until `seconds` after `since`.
until_after() {
  left=$(echo "$1 + $2 - $(date +%s.%N)" | bc)
  if [ "$(echo "$left > 0" | bc)" -eq 1 ]; then sleep "$left"; fi
}

until_after "$start" 1; sample "1 s after start"
until_after "$start" 10; sample "10 s after start"
until_after "$start" 30; sample "30 s after start"

window=$(xdotool search --pid "$gpid" --onlyvisible 2>/dev/null | head -n 1)
[ -n "$window" ] || { echo "no window of the game found" >&2; exit 1; }
for deal in 1 2 3 4 5; do
  xdotool windowfocus --sync "$window" key n
  sleep "$gap"
done
dealt=$(date +%s.%N)
sample "after five deals, ${gap} s apart"
until_after "$dealt" 10; sample "10 s after the last deal"
until_after "$dealt" 30; sample "30 s after the last deal"
