#!/usr/bin/env bash
# Fault soak: connects, uploads, edits, stores and disconnects N times (default 20) against
# krv5200-sim on a pseudo-terminal, with random fault switches and pulled cables, and reports how
# each run ended, the slowest recovery and the driver's memory before and after. Fails when a
# failure ended without a message or a sanitizer found something.
#   scripts/soak.sh [N] [SEED]        (SOAK_BUILD=dir picks the build, default build-test)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-20}"
seed="${2:-$RANDOM}"
build="${SOAK_BUILD:-build-test}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  # The same build tree as scripts/test.sh, so that CI builds nothing twice.
  CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}" cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKRV5200_SANITIZE=ON \
    -DKRV5200_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target krv5200-sim krv5200-soak >/dev/null

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
"$build/tests/krv5200-soak" "$build/krv5200-sim" "$runs" "$seed"
