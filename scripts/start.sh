#!/usr/bin/env bash
# Sets up a fresh machine, builds the tool and starts it on the example setup file.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

file="${1:-examples/demo.tvn}"
exec "$build/krv5200-cli" show "$file"
