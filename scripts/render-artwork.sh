#!/usr/bin/env bash
# Renders the editor's images (drawn in src/controls/art/artworkpainter.cpp) to the PNG
# resources in src/controls/art at 1x and 2x, and rewrites artwork.qrc. Commit the results.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-artwork -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONVELA_BUILD_TESTS=OFF \
  -DSONVELA_BUILD_BENCH=OFF >/dev/null
cmake --build build-artwork --target sonvela-artgen
build-artwork/src/controls/sonvela-artgen render src/controls/art
