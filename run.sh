#!/usr/bin/env bash
# Installs what is missing, builds (Release) and runs the program's main job: the simulated
# unit is started on 127.0.0.1:8899 and sonvela-cli reads its whole state over TCP.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/build.sh release

build/release/tools/sim/tq640v-sim --tcp 127.0.0.1:8899 &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
# Wait until the simulated unit listens.
for _ in $(seq 50); do
    (exec 3<>/dev/tcp/127.0.0.1/8899) 2>/dev/null && break
    sleep 0.1
done

build/release/tools/cli/sonvela-cli dump --tcp 127.0.0.1
