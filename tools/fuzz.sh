#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ in the checking build (clang, libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer; see tools/sanitizer-build.sh)
# and runs each for the given number of seconds.
#
#   tools/fuzz.sh [seconds per target] [target ...]     (default: 60 s, every target)
#
# New inputs go to <build>/fuzz-work/<target>/corpus, findings to
# <build>/fuzz-work/<target>/findings; the committed seeds in fuzz/corpus/ are
# only read. Put a finding into fuzz/corpus/<target>/ as regression-<what>
# once its fault is mended. SANITIZER_BUILD_DIR (default build-sanitize),
# FUZZ_MAX_LEN (default 8192) and FUZZ_JOBS (default 2, build jobs) tune the run.
# The length cap only bounds the new inputs: each target first reads its
# committed seeds whole, so a large seed (a settings file of hundreds of
# kilobytes) still checks that reading stays quick.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=${SANITIZER_BUILD_DIR:-build-sanitize}
all_targets=(saved_game player_history reg_file command_line ramp picture)
targets=("$@")
if ((${#targets[@]} == 0)); then targets=("${all_targets[@]}"); fi

build=$(SANITIZER_BUILD_DIR="$build" tools/sanitizer-build.sh)
cmake --build "$build" -j "${FUZZ_JOBS:-2}" --target "${targets[@]/%/_fuzzer}"

for target in "${targets[@]}"; do
  work="$build/fuzz-work/$target"
  mkdir -p "$work/corpus" "$work/findings"
  options=(-max_total_time="$seconds" -max_len="${FUZZ_MAX_LEN:-8192}" -timeout=10 -rss_limit_mb=2560
           -print_final_stats=1 -artifact_prefix="$work/findings/")
  if [ -f "fuzz/$target.dict" ]; then options+=(-dict="fuzz/$target.dict"); fi
  echo "== $target: $seconds s"
  status=0
  QT_QPA_PLATFORM=offscreen "$build/fuzz/${target}_fuzzer" -runs=0 -timeout=10 -rss_limit_mb=2560 \
    -artifact_prefix="$work/findings/" "fuzz/corpus/$target" >"$work/seeds.log" 2>&1 || status=$?
  if ((status != 0)); then
    echo "   $target fails on a committed seed (exit $status); see $work/seeds.log"
    continue
  fi
  QT_QPA_PLATFORM=offscreen "$build/fuzz/${target}_fuzzer" "${options[@]}" "$work/corpus" "fuzz/corpus/$target" \
    >"$work/log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)|^==[0-9]+==ERROR|SUMMARY|broken promise' \
    "$work/log" || true
  if ((status != 0)); then echo "   $target found a fault (exit $status); see $work/log and $work/findings/"; fi
done
