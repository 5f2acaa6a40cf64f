#!/usr/bin/env bash
# trovelin-cli check over 200 rooms whose playlists answer after 50 ms, 8 at a time, next to
# its floor: 200 x 50 ms / 8 plus the bare exchange (one room, no delay). Loopback only.
#   bench/check-time.sh [BUILD_DIR]
build=${1:-build-bench}
source "$(dirname "$0")/common.sh"
cli="$build/src/cli/trovelin-cli"
out="$work/out"
start_fake --live
fast=$fake_at
start_fake --live --live-delay-ms 50
slow=$fake_at
rooms=$(seq 1 200 | tr '\n' ' ')
hyperfine --warmup 1 --runs 5 --export-json "$out.json" \
    -n "bare exchange (1 room)" "$cli check --hls-host $fast 1" \
    -n "check 200 rooms, --jobs 8, 50 ms each" "$cli check --jobs 8 --hls-host $slow $rooms > /dev/null" \
    | grep -E "Time|±|check|bare"
python3 - "$out.json" <<'PY' || true
import json, sys
r = {x["command"]: x["mean"] for x in json.load(open(sys.argv[1]))["results"]}
bare, check = r["bare exchange (1 room)"], r["check 200 rooms, --jobs 8, 50 ms each"]
floor = 200 * 0.050 / 8 + bare
print(f"check {check*1000:.0f} ms; floor 200 x 50 ms / 8 + bare {bare*1000:.0f} ms = {floor*1000:.0f} ms;"
      f" ratio {check/floor:.2f} (target <= 1.2)")
PY
