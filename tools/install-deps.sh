#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs to build, test and run.
# Only what is missing is installed; apt-get runs through sudo when we are not root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  qt6-translations-l10n fonts-liberation
  libjpeg62-turbo-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-utils xdotool jwm desktop-file-utils shared-mime-info libglib2.0-bin
  libx11-dev libxtst-dev libxcb1-dev
)

# With --windows: the MinGW-w64 cross compiler, GoogleTest's sources and Wine,
# for the Windows build of the core tests.
if [ "${1:-}" = --windows ]; then
  packages+=(g++-mingw-w64-x86-64 googletest wine wine64)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
