#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: first a Release tree, then a tree
# built with AddressSanitizer + UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs=$(nproc)

echo "== Format check"
scripts/check-format.sh

echo "== Release build"
scripts/build.sh release
echo "== Release tests"
ctest --test-dir build/release --output-on-failure -j "$jobs"
echo "== Soak against the simulated unit (1 minute)"
scripts/soak.sh 1 build/release

echo "== Sanitizer build (ASan + UBSan)"
scripts/build.sh asan
echo "== Fuzz smoke runs (receive paths, parameter files: 20 s each)"
scripts/fuzz.sh 40 build/asan

echo "== Sanitizer tests"
ctest --test-dir build/asan --output-on-failure -j "$jobs"
