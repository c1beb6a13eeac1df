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

# With arguments (one test, a label) only the main configuration runs.
if [ $# -gt 0 ]; then
    exit 0
fi

# AddressSanitizer with UndefinedBehaviorSanitizer over the whole suite, built
# with clang so that the same build carries the fuzz targets. The host tests
# are left out there: they load a second sanitized copy of our code into the
# process, whose exported symbols the sanitizer runtime interposes.
asan=build/asan
CC=clang CXX=clang++ cmake -S . -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINDLEMARK_SANITIZE=address -DBRINDLEMARK_TOOLS=OFF -DBRINDLEMARK_BENCH=OFF >/dev/null
cmake --build "$asan"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$asan" --output-on-failure -j "$(nproc)" -LE host

# ThreadSanitizer over the tests that run several threads: hub queues, MIDI
# input while blocks are processed, transfers, host MIDI, editors closing
# while events arrive.
tsan=build/tsan
CC=clang CXX=clang++ cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINDLEMARK_SANITIZE=thread -DBRINDLEMARK_TOOLS=OFF >/dev/null
cmake --build "$tsan" --target brindlemark_core_tests brindlemark_editor_tests brindlemark_library_view_tests
export TSAN_OPTIONS=halt_on_error=1
"$tsan"/tests/brindlemark_core_tests \
    --gtest_filter='HubFixture.*:HardwareInput*:Exchange.*:HostMidi.*:OutputRig.*:ProcessorClock.*:BankTransmitter.*:SendQueueRig.*:ProcessorThreads.ABurst*'
"$tsan"/tests/brindlemark_editor_tests --gtest_filter='Editor.EventsFromTheMidiThread*:Editor.Recv*:Menus.Cancel*'
"$tsan"/tests/brindlemark_library_view_tests --gtest_filter='PresetBankThreads.*'
unset TSAN_OPTIONS

bash tools/fuzz.sh 30
