#!/usr/bin/env bash
# The window's figures in one run: start-up to page 1's rows shown, next to a minimal Qt
# Widgets program (the floor), the page exchange left out; a batch over 200 rows against a
# fake answering after 10 ms; the idle window's resident memory. Under Xvfb with openbox when
# they are installed, else on the offscreen platform. Loopback only.
#   bench/window-figures.sh [BUILD_DIR]
build=${1:-build-bench}
source "$(dirname "$0")/common.sh"
if command -v Xvfb > /dev/null && command -v openbox > /dev/null; then
    display=:$((60 + RANDOM % 9))
    Xvfb "$display" -screen 0 800x700x24 -nolisten tcp > /dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=$display QT_QPA_PLATFORM=xcb
    until xdpyinfo > /dev/null 2>&1 || [ -e "/tmp/.X11-unix/X${display#:}" ]; do sleep 0.1; done
    sleep 0.3
    openbox > /dev/null 2>&1 &
    pids+=($!)
    echo "platform: xcb on Xvfb with openbox"
else
    export QT_QPA_PLATFORM=offscreen
    echo "platform: offscreen"
fi
start_fake --pages 1 --rooms-per-page 100
fake=$fake_at

exchange=$("$build/bench/window_bench" exchange "$fake")
hyperfine --warmup 3 --runs 20 --export-json "$work/startup.json" \
    -n "minimal Qt window (floor)" "$build/bench/qt_floor" \
    -n "trovelin to page 1 (100 rooms)" "$build/bench/window_bench startup $fake" | grep -E "Time|±|floor|trovelin"
python3 - "$work/startup.json" "$exchange" <<'PY'
import json, sys
r = {x["command"]: x["mean"] * 1000 for x in json.load(open(sys.argv[1]))["results"]}
floor, app, exchange = r["minimal Qt window (floor)"], r["trovelin to page 1 (100 rooms)"], float(sys.argv[2])
print(f"start-up: floor {floor:.1f} ms, trovelin {app:.1f} ms of which page exchange {exchange:.1f} ms;"
      f" ratio without the exchange {(app - exchange) / floor:.2f} (target <= 1.5)")
PY
"$build/bench/window_bench" batch
"$build/bench/window_bench" rss "$fake"
