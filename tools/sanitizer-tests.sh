#!/usr/bin/env bash
# The whole test suite (core and window tests) once more, and every fuzz target
# over its committed corpus, in the clang build with AddressSanitizer and
# UndefinedBehaviorSanitizer. Any finding fails the run, leaks included.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
build=$(tools/sanitizer-build.sh)
cmake --build "$build"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan-third-party.supp:print_suppressions=0"
# The clearable-deals test gives the solver the option's real time budget; under
# the sanitizers the solver runs several times slower and clears no deal in it,
# so that one test runs in the plain build only.
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900 -E '^ui_clearable_test$'
