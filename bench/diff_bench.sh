#!/bin/sh
# Times krv5200-cli diff on two full setups, the whole program from start to exit: the example
# setup (every group in use, a complete customer profile) against a fresh one, in both formats,
# and the example against itself.
# Usage: bench/diff_bench.sh [BUILD_DIR] [RUNS]   (BUILD_DIR defaults to build-bench, Release)
set -eu

SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$SOURCE/build-bench}
RUNS=${2:-50}

cmake -S "$SOURCE" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DKRV5200_SANITIZE=OFF >/dev/null
cmake --build "$BUILD" -j2 --target krv5200-cli >/dev/null

WORK=$(mktemp -d /tmp/krv5200-diff-bench-XXXXXX)
trap 'rm -rf "$WORK"' EXIT INT TERM
CLI="$BUILD/krv5200-cli"
EXAMPLE="$SOURCE/examples/demo.tvn"
"$CLI" new "$WORK/fresh.tvn"

now() { date +%s.%N; }
summary() { sort -n | awk '{ v[NR] = $1 } END { printf "min %.1f ms  median %.1f ms  max %.1f ms", v[1] * 1000, v[int((NR + 1) / 2)] * 1000, v[NR] * 1000 }'; }

# Runs "diff ARGS" RUNS times; prints the elapsed times. Exit 1 (the setups differ) is expected.
time_diffs() {
  i=0
  while [ "$i" -lt "$RUNS" ]; do
    t0=$(now)
    "$CLI" diff "$@" >/dev/null || [ $? -eq 1 ]
    t1=$(now)
    echo "$t0 $t1" | awk '{ printf "%.6f\n", $2 - $1 }'
    i=$((i + 1))
  done
}

ROWS=$("$CLI" diff "$EXAMPLE" "$WORK/fresh.tvn" | wc -l) || true
echo "example against a fresh setup, $ROWS differences ($RUNS runs each)"
echo "  text: $(time_diffs "$EXAMPLE" "$WORK/fresh.tvn" | summary)"
echo "  tsv:  $(time_diffs "$EXAMPLE" "$WORK/fresh.tvn" --format tsv | summary)"
echo "example against itself"
echo "  text: $(time_diffs "$EXAMPLE" "$EXAMPLE" | summary)"
