#!/usr/bin/env bash
# The test command: install what is missing, configure, build, run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
