#!/usr/bin/env bash
# Wall time and peak resident memory of `trovelin-cli page 1` for each hostile page answer,
# next to a normal page of 100 rooms (/usr/bin/time -v). Loopback only.
#   bench/hostile-pages.sh [BUILD_DIR]
build=${1:-build-bench}
source "$(dirname "$0")/common.sh"
printf '%-34s %10s %14s %6s\n' "page 1 answer" "wall" "peak resident" "rows"
for kind in normal sparse allocating looping rows; do
    if [ "$kind" = normal ]; then
        start_fake --pages 1 --rooms-per-page 100
    else
        start_fake --hostile "$kind"
    fi
    fake=$fake_at
    /usr/bin/time -v "$build/src/cli/trovelin-cli" page 1 --page-host "$fake" \
        > "$work/out" 2> "$work/time"
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$work/time")
    peak=$(awk -F': ' '/Maximum resident set size/ { printf "%.0f MiB", $2 / 1024 }' "$work/time")
    printf '%-34s %10s %14s %6s\n' "$kind" "$wall" "$peak" "$(wc -l < "$work/out")"
    kill "$fake_pid"
done
