#!/usr/bin/env bash
# Sets up a fresh machine, builds the whole tool with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Fails on any failed test or sanitizer finding.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build-test
# A new build tree uses Ninja; CMake itself takes the compiler cache and the fast linker when the
# machine has them (scripts/install-deps.sh installs both).
export CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}"
start=$SECONDS
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKRV5200_SANITIZE=ON -DKRV5200_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
echo "test.sh: built in $((SECONDS - start)) s"

# Leaks inside system libraries (fontconfig, the Qt platform plugins) are not ours: see the file.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

start=$SECONDS
status=0
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300 || status=$?
echo "test.sh: tests ran in $((SECONDS - start)) s"
exit $status
