#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests and runs them all.
# GUI tests run on a private Xvfb display that this script starts and stops.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/deps.sh

build=build/tests
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

source tools/xvfb.sh
start_xvfb

ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
