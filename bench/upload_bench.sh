#!/bin/sh
# Times a full upload of a fresh setup (default switches: parametric EQ, divider and time
# correction on) from krv5200-cli to krv5200-sim through a pseudo-terminal:
#   unpaced: the simulator answers at once and the PC's line runs at 4 Mbaud;
#   paced:   both sides at 9600 baud; the elapsed time is compared with the wire time of every
#            byte exchanged (bytes both ways x 10 bits / 9600).
# Usage: bench/upload_bench.sh [BUILD_DIR] [RUNS]   (BUILD_DIR defaults to build-bench, Release)
set -eu

SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$SOURCE/build-bench}
RUNS=${2:-5}

cmake -S "$SOURCE" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DKRV5200_SANITIZE=OFF >/dev/null
cmake --build "$BUILD" -j2 --target krv5200-cli krv5200-sim >/dev/null

WORK=$(mktemp -d /tmp/krv5200-upload-bench-XXXXXX)
SIM_PID=
cleanup() {
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

CLI="$BUILD/krv5200-cli"
SIM="$BUILD/krv5200-sim"
"$CLI" new "$WORK/fresh.tvn"

start_sim() {
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null || true
  "$SIM" --link "$WORK/port" "$@" >"$WORK/sim.out" 2>"$WORK/sim.err" &
  SIM_PID=$!
  while [ ! -e "$WORK/port" ]; do sleep 0.05; done
}

now() { date +%s.%N; }

# Runs the upload RUNS times with the given settings directory; prints the elapsed times.
time_uploads() {
  i=0
  while [ "$i" -lt "$RUNS" ]; do
    t0=$(now)
    XDG_CONFIG_HOME="$1" "$CLI" upload "$WORK/fresh.tvn" --port "$WORK/port" || { echo "upload failed" >&2; exit 1; }
    t1=$(now)
    echo "$t0 $t1" | awk '{ printf "%.4f\n", $2 - $1 }'
    i=$((i + 1))
  done
}

summary() { sort -n | awk '{ v[NR] = $1 } END { printf "min %.4f s  median %.4f s  max %.4f s", v[1], v[int((NR + 1) / 2)], v[NR] }'; }

mkdir -p "$WORK/fast/Local AppWizard-Generated Applications" "$WORK/default"
printf '[RS_Set_Up]\nBaudRate=4000000\n' >"$WORK/fast/Local AppWizard-Generated Applications/KRV5200.conf"

start_sim
echo "unpaced ($RUNS runs): $(time_uploads "$WORK/fast" | summary)"

start_sim --baud 9600
XDG_CONFIG_HOME="$WORK/default" "$CLI" --trace upload "$WORK/fresh.tvn" --port "$WORK/port" 2>"$WORK/trace.txt"
BYTES=$(grep -c '^[<>] ' "$WORK/trace.txt")
WIRE=$(echo "$BYTES" | awk '{ printf "%.4f", $1 * 10 / 9600 }')
time_uploads "$WORK/default" >"$WORK/paced.txt"
echo "paced at 9600 baud ($RUNS runs): $(summary <"$WORK/paced.txt")"
echo "bytes exchanged $BYTES, wire time $WIRE s"
sort -n "$WORK/paced.txt" | awk -v wire="$WIRE" '{ v[NR] = $1 } END { printf "elapsed / wire time: min %.4f  median %.4f\n", v[1] / wire, v[int((NR + 1) / 2)] / wire }'
