#!/usr/bin/env bash
# Runs the receive-path fuzz target for a given time (seconds, default 60) from a clang tree
# built with SONVELA_BUILD_FUZZ=ON. Usage: scripts/fuzz.sh [seconds] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
tree=${2:-build/asan}
target="$tree/tests/fuzz/fuzz_receive"
if [[ ! -x "$target" ]]; then
  echo "fuzz.sh: $target not built (configure with clang and -DSONVELA_BUILD_FUZZ=ON)" >&2
  exit 2
fi
corpus="$tree/fuzz-corpus/receive"
mkdir -p "$corpus"
"$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus"
