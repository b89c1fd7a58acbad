#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (sanitizers on) and runs each for SECONDS (default 60)
# from the seed corpora in tests/fuzz/. Fails on any finding; the input that found it is kept in
# build-fuzz/findings/. Prints each target's executions and executions per second.
#   scripts/fuzz.sh [SECONDS]        (FUZZ_BUILD=dir picks the build folder, default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${FUZZ_BUILD:-build-fuzz}"

if ! command -v clang++-14 >/dev/null 2>&1 || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed"; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRV5200_FUZZ=ON \
  -DKRV5200_BENCH=OFF >/dev/null
targets=(setup_file link_receive)
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  log="$build/fuzz_$t.log"
  if "$build/tests/fuzz/fuzz_$t" "$corpus" "tests/fuzz/seeds/$t" -max_total_time="$seconds" -timeout=20 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$t-" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$t: ${runs:-?} executions in ${seconds} s ($(( ${runs:-0} / (seconds > 0 ? seconds : 1) )) per second), no finding"
  else
    echo "fuzz_$t: FINDING (see $log and $build/findings/)"
    tail -n 40 "$log"
    status=1
  fi
done
exit $status
