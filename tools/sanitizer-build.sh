#!/usr/bin/env bash
# Configures the checking build in which tools/fuzz.sh fuzzes and ctest runs the
# tests and the seed corpora: clang with AddressSanitizer,
# UndefinedBehaviorSanitizer and the fuzz targets. -O1 with line tables: quick
# to build, quick enough to run, and every report names its file and line.
# Benchmarks and the resource generator are left out. Prints the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${SANITIZER_BUILD_DIR:-build-sanitize}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DPEBBLE_SANITIZE=ON -DPEBBLE_FUZZ=ON >&2
echo "$build"
