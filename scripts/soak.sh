#!/usr/bin/env bash
# Soaks the editor's link against the simulated unit for MINUTES (default 1): half the time
# over TCP, half over a pseudo-terminal paced at 115200 baud (replies arrive split), both with
# 1 % of the frames left unanswered and 1 % of the answers garbled. `sonvela-cli soak` makes
# random edits, mode stores and recalls and uploads, then compares the unit's whole memory with
# the model word for word. Usage: scripts/soak.sh [MINUTES] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-1}
tree=${2:-build/release}
cli="$tree/tools/cli/sonvela-cli"
sim="$tree/tools/sim/tq640v-sim"
half=$(( minutes * 30 ))
faults=(--drop-every 100 --garbage-every 100)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Waits until the simulated unit has printed its endpoints.
wait_for_line() {
  for _ in $(seq 100); do
    grep -q "$2" "$1" 2>/dev/null && return 0
    sleep 0.05
  done
  echo "soak.sh: the simulated unit did not start" >&2
  return 1
}

echo "== soak over TCP for ${half}s"
"$sim" --tcp 127.0.0.1:0 "${faults[@]}" >"$work/tcp.out" 2>&1 &
pids+=($!)
wait_for_line "$work/tcp.out" '^tcp '
port=$(sed -n 's/^tcp 127.0.0.1:\([0-9]*\).*/\1/p' "$work/tcp.out" | head -1)
"$cli" soak --tcp "127.0.0.1:$port" "$half" --seed 1

echo "== soak over a pseudo-terminal for ${half}s"
"$sim" --pty --baud 115200 "${faults[@]}" >"$work/pty.out" 2>&1 &
pids+=($!)
wait_for_line "$work/pty.out" '/dev/pts/'
pty=$(grep -o '/dev/pts/[0-9]*' "$work/pty.out" | head -1)
"$cli" soak --serial "$pty" "$half" --seed 2
