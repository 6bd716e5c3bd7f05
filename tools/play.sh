#!/usr/bin/env bash
# The play command: install what is missing, build, and start the game.
# Options and a saved game (.clk) given here go on to the game's command line.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target pebbledrome
exec build/pebbledrome "$@"
