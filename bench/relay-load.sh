#!/usr/bin/env bash
# Load figures of trovelin-relay, side by side with nginx answering the same path with a
# static redirect (the floor for a redirect server on this machine). All traffic stays on
# 127.0.0.1; every run is bounded in time (wrk -d) or in count (the Lua scripts stop).
#   make bench-load      (builds first)   or   bench/relay-load.sh BUILD_DIR
build=${1:-build-bench}
seconds=${SECONDS_PER_RUN:-10}
source "$(dirname "$0")/common.sh"

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])' 2>/dev/null || echo $((20000 + RANDOM % 20000)); }
start_relay() {  # port, fake host, extra options
    local port=$1 fake=$2; shift 2
    "$build/src/relay/trovelin-relay" --listen "127.0.0.1:$port" --hls-host "$fake" \
        --page-host "$fake" "$@" 2> "$work/relay-$port.log" &
    pids+=($!)
    relay_pid=$!
    until curl -s -o /dev/null "http://127.0.0.1:$port/status.json"; do sleep 0.05; done
}
rss_mib() { awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
wrk_line() {  # label, url, extra wrk args
    local label=$1 url=$2; shift 2
    local out
    out=$(wrk -t2 -c64 -d"${seconds}s" --latency "$@" "$url")
    local rps p99
    rps=$(awk '/Requests\/sec/ { print $2 }' <<< "$out")
    p99=$(awk '$1 == "99%" { print $2 }' <<< "$out")
    printf '%-44s %12s req/s   p99 %8s\n' "$label" "$rps" "$p99"
    last_rps=$rps
}

echo "== warm cache: relay against nginx's static 302 ($seconds s, 64 connections each)"
start_fake
fake=$fake_at
port=$(free_port)
start_relay "$port" "$fake"
curl -s -o /dev/null "http://127.0.0.1:$port/dl/yy1.php?t=123"
nginx_port=$(free_port)
cat > "$work/nginx.conf" <<CONF
worker_processes 2;
pid $work/nginx.pid;
error_log $work/nginx-error.log;
events { worker_connections 1024; }
http {
    access_log off;
    server {
        listen 127.0.0.1:$nginx_port;
        location = /dl/yy1.php { return 302 http://cdn.example.test/live/123.m3u8; }
    }
}
CONF
nginx -c "$work/nginx.conf" -p "$work"
until curl -s -o /dev/null "http://127.0.0.1:$nginx_port/dl/yy1.php?t=123"; do sleep 0.05; done
wrk_line "nginx, return 302 (floor)" "http://127.0.0.1:$nginx_port/dl/yy1.php?t=123"
nginx_rps=$last_rps
wrk_line "trovelin-relay, cache warm" "http://127.0.0.1:$port/dl/yy1.php?t=123"
relay_rps=$last_rps
awk -v r="$relay_rps" -v n="$nginx_rps" 'BEGIN { printf "relay / nginx throughput: %.2f (target >= 0.5)\n", r / n }'

echo "== cache off, service answering after 10 ms, --max-upstream 16"
start_fake --delay-ms 10
slow=$fake_at
slow_port=$(free_port)
start_relay "$slow_port" "$slow" --cache-seconds 0 --max-upstream 16
cat > "$work/rooms.lua" <<'LUA'
-- A new room for every request, none shared between wrk's threads.
local threads = 0
setup = function(thread)
    threads = threads + 1
    thread:set("base", threads * 100000000)
end
local n = 0
request = function()
    n = n + 1
    return wrk.format(nil, "/dl/yy1.php?t=" .. (base + n))
end
LUA
wrk_line "trovelin-relay, cache off, 10 ms upstream" "http://127.0.0.1:$slow_port/" -s "$work/rooms.lua"
awk -v r="$last_rps" 'BEGIN { printf "bound by --max-upstream: 16 / 10 ms = 1600 req/s at most; measured %.0f, %.0f%% of it\n", r, r / 16 }' 

echo "== memory: requests for distinct rooms, cache on (LRU of 10,000 rooms)"
start_fake
mem=$fake_at
mem_port=$(free_port)
start_relay "$mem_port" "$mem"
cat > "$work/count.lua" <<'LUA'
-- ROOMS distinct rooms in turn, stopping after TOTAL answers in all (one thread; wrk
-- still waits out its -d before it returns).
local n, done = 0, 0
local rooms, total = tonumber(os.getenv("ROOMS")), tonumber(os.getenv("TOTAL"))
local offset = tonumber(os.getenv("OFFSET") or "0")
request = function()
    n = n + 1
    return wrk.format(nil, "/dl/yy1.php?t=" .. (offset + n % rooms))
end
response = function()
    done = done + 1
    if done >= total then wrk.thread:stop() end
end
LUA
run_count() { ROOMS=$1 TOTAL=$2 OFFSET=${3:-0} wrk -t1 -c16 -d30s -s "$work/count.lua" "http://127.0.0.1:$mem_port/" > /dev/null; }
idle=$(rss_mib "$relay_pid")
run_count 10000 10000
first=$(rss_mib "$relay_pid")
run_count 10000 90000
hundred=$(rss_mib "$relay_pid")
run_count 100000 100000 1000000
distinct=$(rss_mib "$relay_pid")
printf 'resident: idle %s MiB; after 10,000 requests (10,000 rooms) %s MiB; after 100,000 (same 10,000 rooms) %s MiB; after 100,000 more for 100,000 new rooms %s MiB\n' \
    "$idle" "$first" "$hundred" "$distinct"
awk -v a="$first" -v b="$hundred" -v c="$distinct" 'BEGIN { printf "ratio to the first 10,000: %.2f and %.2f (target <= 1.5)\n", b / a, c / a }'
curl -s "http://127.0.0.1:$mem_port/status.json"
