#!/usr/bin/env bash
# Renders the editor's images (drawn in tools/artgen/artworkpainter.cpp) to the PNG
# resources in src/gui/controls/art at 1x and 2x, rewrites artwork.qrc, and renders the desktop
# icon in the hicolor sizes to packaging/icons. Commit the results.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-artwork -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONVELA_BUILD_TESTS=OFF \
  -DSONVELA_BUILD_BENCH=OFF >/dev/null
cmake --build build-artwork --target sonvela-artgen
build-artwork/tools/artgen/sonvela-artgen render src/gui/controls/art
build-artwork/tools/artgen/sonvela-artgen icons packaging/icons
