#!/bin/bash
# Runs every fuzz target of a fuzz build for the given seconds, each from its seed corpus in
# fuzz/corpus/<name> (copied into the build folder, where the corpus grows). A finding stops the
# run with its input in BUILD/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}
mkdir -p "$build/findings"
for fuzzer in "$build"/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    name=${name#fuzz_}
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
    echo "== $name: ${seconds}s"
    log="$build/findings/$name.log"
    status=0
    "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-" "$corpus" >"$log" 2>&1 || status=$?
    grep -E "^stat::number_of_executed_units" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 30 "$log" >&2
        echo "Finding in $name (exit $status): see $log and $build/findings/$name-*" >&2
        exit 1
    fi
done
echo "No findings."
