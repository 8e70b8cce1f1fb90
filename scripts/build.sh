#!/usr/bin/env bash
# Configures and builds one tree. Usage: scripts/build.sh release|asan
set -euo pipefail
cd "$(dirname "$0")/.."

kind=${1:-release}
case "$kind" in
  release)
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/release
    ;;
  asan)
    # The sanitizer tree uses clang, so the libFuzzer targets build in it too.
    CC=clang CXX=clang++ cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DSONVELA_SANITIZE=ON -DSONVELA_BUILD_BENCH=OFF \
      -DSONVELA_BUILD_FUZZ=ON >/dev/null
    cmake --build build/asan
    ;;
  *)
    echo "usage: scripts/build.sh release|asan" >&2
    exit 2
    ;;
esac
