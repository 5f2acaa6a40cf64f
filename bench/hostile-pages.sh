#!/usr/bin/env bash
# Wall time and peak resident memory of `trovelin-cli page 1` for each hostile page answer,
# next to a normal page of 100 rooms (/usr/bin/time -v). Loopback only.
#   bench/hostile-pages.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build-bench}
work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT
printf '%-34s %10s %14s %6s\n' "page 1 answer" "wall" "peak resident" "rows"
for kind in normal sparse allocating looping rows; do
    if [ "$kind" = normal ]; then
        "$build/tests/support/trovelin-fake-service" --pages 1 --rooms-per-page 100 > "$work/fake" &
    else
        "$build/tests/support/trovelin-fake-service" --hostile "$kind" > "$work/fake" &
    fi
    pid=$!
    pids+=($pid)
    until [ -s "$work/fake" ]; do sleep 0.05; done
    fake=$(head -1 "$work/fake")
    /usr/bin/time -v "$build/src/cli/trovelin-cli" page 1 --page-host "$fake" \
        > "$work/out" 2> "$work/time"
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$work/time")
    peak=$(awk -F': ' '/Maximum resident set size/ { printf "%.0f MiB", $2 / 1024 }' "$work/time")
    printf '%-34s %10s %14s %6s\n' "$kind" "$wall" "$peak" "$(wc -l < "$work/out")"
    kill "$pid"
    rm -f "$work/fake"
done
