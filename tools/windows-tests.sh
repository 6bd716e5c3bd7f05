#!/usr/bin/env bash
# The core test suites built for Windows with MinGW-w64 and run under Wine, in
# a Wine prefix of their own that is thrown away afterwards (so the registry
# tests may use the game's own key). Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --windows

build=${PEBBLE_WINDOWS_BUILD:-build-windows}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DPEBBLE_CORE_ONLY=ON
cmake --build "$build"

scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export PEBBLE_SCRATCH_REGISTRY=1
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
# No display: Wine sets up its prefix and runs console programs headless.
unset DISPLAY WAYLAND_DISPLAY
wineboot --init >/dev/null 2>&1 || true

# Wine names files on the Linux side in the locale's character set: UTF-8,
# so names beyond ASCII reach the disk whatever locales this machine has.
LANG=C.UTF-8 LC_ALL=C.UTF-8 ctest --test-dir "$build" --output-on-failure --timeout 600

# The language of a German and of a French Windows (Wine takes it from LANG).
language_test() {
  LANG=$1 LC_ALL=$1 PEBBLE_EXPECT_LANGUAGE=$2 \
    wine "$build/tests/config_tests.exe" --gtest_filter='WindowsLanguage.*' --gtest_brief=1
}
language_test de_DE.UTF-8 0
language_test fr_FR.UTF-8 2000
