#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (30 by default),
# starting from the seed corpus in fuzz/corpus (copied, so the repo is left
# as it is). Inputs that crash land in build/fuzz-artifacts/<target>/.
# Expects the "address" configuration built in build/asan.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for target in midi_input state_chunks program_files settings_files; do
    mkdir -p "$work/$target"
    cp fuzz/corpus/"$target"/* "$work/$target/"
    artifacts=build/fuzz-artifacts/$target
    mkdir -p "$artifacts"
    echo "fuzzing $target for ${seconds}s"
    ASAN_OPTIONS=detect_leaks=0 build/asan/fuzz/fuzz_"$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" \
        "$work/$target" > "$work/$target.log" 2>&1 || { tail -40 "$work/$target.log"; exit 1; }
    grep -E "stat::number_of_executed_units|stat::average_exec_per_sec" "$work/$target.log" | sed 's/^/  /'
done
