#!/usr/bin/env bash
# Sets up a fresh machine, builds the setup tool and starts it with a simulated processor on a
# pseudo-terminal that "COM1" leads to, so that choosing "I/O Port" > "COM1" connects at once.
#
#   scripts/start.sh [--no-sim] [FILE.tvn]
#
# --no-sim starts the tool alone: "COM1".."COM4" are then the devices of the environment
# variables KRV5200_COM1..KRV5200_COM4, else of the settings section "Ports", else
# /dev/ttyS0../dev/ttyS3. FILE is opened at start. KRV5200_BUILD_DIR names another build folder
# than build/.
set -euo pipefail
cd "$(dirname "$0")/.."

sim=1
args=()
for arg in "$@"; do
  case "$arg" in
    --no-sim) sim=0 ;;
    *) args+=("$arg") ;;
  esac
done

scripts/install-deps.sh

build="${KRV5200_BUILD_DIR:-build}"
export CMAKE_GENERATOR="${CMAKE_GENERATOR:-Ninja}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRV5200_SANITIZE=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target krv5200 krv5200-sim krv5200-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "start.sh: no display to show the tool on (DISPLAY is not set)." >&2
  echo "          Run it on a desktop, or try it headless with: xvfb-run -a scripts/start.sh" >&2
  exit 1
fi

if [ "$sim" -eq 0 ]; then
  exec "$build/krv5200" "${args[@]}"
fi

run="$(mktemp -d "${TMPDIR:-/tmp}/krv5200-XXXXXX")"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$run"
}
trap cleanup EXIT INT TERM

"$build/krv5200-sim" --link "$run/com1" >"$run/sim.out" 2>"$run/sim.err" &
sim_pid=$!
for _ in $(seq 100); do
  [ -L "$run/com1" ] && break
  if ! kill -0 "$sim_pid" 2>/dev/null; then
    cat "$run/sim.err" >&2
    exit 1
  fi
  sleep 0.05
done
echo "Simulated processor on $(head -n1 "$run/sim.out") (COM1 leads there). Choose I/O Port > COM1 to connect."

KRV5200_COM1="$run/com1" "$build/krv5200" "${args[@]}"
