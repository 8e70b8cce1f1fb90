#!/usr/bin/env bash
# Runs every libFuzzer target (tests/fuzz/fuzz_*) of a clang tree built with
# SONVELA_BUILD_FUZZ=ON, sharing the given time (seconds, default 60) between them. Each target
# starts from its committed seeds (tests/fuzz/corpus/NAME) and keeps what it finds in the
# tree's fuzz-corpus/NAME. Usage: scripts/fuzz.sh [seconds] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
tree=${2:-build/asan}
mapfile -t targets < <(find "$tree/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in $tree/tests/fuzz (configure with clang and -DSONVELA_BUILD_FUZZ=ON)" >&2
  exit 2
fi
share=$(( seconds / ${#targets[@]} ))
(( share > 0 )) || share=1
for target in "${targets[@]}"; do
  name=$(basename "$target")
  name=${name#fuzz_}
  corpus="$tree/fuzz-corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "tests/fuzz/corpus/$name" ] && seeds=("tests/fuzz/corpus/$name")
  echo "== fuzz $name for ${share}s"
  log="$tree/fuzz-$name.log"
  status=0
  "$target" -max_total_time="$share" -max_len=4096 -print_final_stats=1 "$corpus" "${seeds[@]}" \
    >"$log" 2>&1 || status=$?
  grep -E 'DONE|stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|SUMMARY' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz.sh: $name found a fault (whole output in $log)" >&2
    exit 1
  fi
done
