# Sourced by the whole-program benchmarks: a scratch folder, processes ended on exit, and the
# fake service on loopback.   build=... must be set first.
set -euo pipefail
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ -f "$work/nginx.pid" ]; then kill "$(cat "$work/nginx.pid")" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# Starts the fake service with these options; sets $fake_at to its host:port, $fake_pid.
start_fake() {
    "$build/tests/support/trovelin-fake-service" "$@" > "$work/fake" 2> /dev/null &
    fake_pid=$!
    pids+=("$fake_pid")
    until [ -s "$work/fake" ]; do sleep 0.05; done
    fake_at=$(head -1 "$work/fake")
    rm -f "$work/fake"
}
