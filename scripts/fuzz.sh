#!/usr/bin/env bash
# Runs every libFuzzer target (tests/fuzz/fuzz_*) of a clang tree built with
# SONVELA_BUILD_FUZZ=ON for the given time (seconds, default 60), all side by side, so they
# share the machine's cores. Each target starts from its committed seeds (tests/fuzz/corpus/
# NAME) and keeps what it finds in the tree's fuzz-corpus/NAME. At the end it prints each
# target's executions and executions per second, and the total.
# Usage: scripts/fuzz.sh [seconds] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
tree=${2:-build/asan}
mapfile -t targets < <(find "$tree/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in $tree/tests/fuzz (configure with clang and -DSONVELA_BUILD_FUZZ=ON)" >&2
  exit 2
fi

run_target() {
  local target=$1 name corpus log seeds=()
  name=$(basename "$target")
  name=${name#fuzz_}
  corpus="$tree/fuzz-corpus/$name"
  log="$tree/fuzz-$name.log"
  mkdir -p "$corpus"
  [ -d "tests/fuzz/corpus/$name" ] && seeds=("tests/fuzz/corpus/$name")
  "$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$corpus" "${seeds[@]}" \
    >"$log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
  echo "== fuzz $(basename "$target") for ${seconds}s"
  run_target "$target" &
  pids+=($!)
done
failed=0
for i in "${!pids[@]}"; do
  if ! wait "${pids[$i]}"; then
    name=$(basename "${targets[$i]}")
    echo "fuzz.sh: ${name} found a fault (whole output in $tree/fuzz-${name#fuzz_}.log)" >&2
    failed=1
  fi
done

total=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  log="$tree/fuzz-${name#fuzz_}.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  grep -E 'ERROR|SUMMARY' "$log" || true
  printf '%-18s %12s executions %8s per second\n' "$name" "${runs:-0}" "${rate:-0}"
  total=$(( total + ${runs:-0} ))
done
printf '%-18s %12s executions in %ss\n' "total" "$total" "$seconds"
exit "$failed"
