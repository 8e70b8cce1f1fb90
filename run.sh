#!/usr/bin/env bash
# Installs what is missing, builds (Release) and runs the editor against the simulated unit:
# tq640v-sim listens on 127.0.0.1:8899 and sonvela connects to it over TCP. Without a display
# (DISPLAY and WAYLAND_DISPLAY unset) the editor runs offscreen, writes a screenshot of the
# connected window to out/screens/, and the unit's state is printed with sonvela-cli.
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

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    build/release/src/app/sonvela --tcp 127.0.0.1
    exit 0
fi

mkdir -p out/screens
shot="$PWD/out/screens/sonvela-$(date +%Y%m%d-%H%M%S).png"
SONVELA_SCREENSHOT="$shot" SONVELA_SCREENSHOT_PAGES="$PWD/out/screens" QT_QPA_PLATFORM=offscreen \
    build/release/src/app/sonvela --tcp 127.0.0.1
echo "screenshots: $shot and out/screens/page-*.png"
build/release/tools/cli/sonvela-cli dump --tcp 127.0.0.1
