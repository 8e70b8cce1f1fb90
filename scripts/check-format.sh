#!/usr/bin/env bash
# Fails when a C++ source of the tree drifts from the project's .clang-format; lists the files.
# Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
  echo "clang-format drift in:" >&2
  grep -oE '^[^:]+:[0-9]+:[0-9]+: (error|warning)' <<<"$report" | cut -d: -f1 | sort -u |
    sed 's/^/  /' >&2
  exit 1
fi
echo "clang-format: ${#files[@]} files clean"
