#!/usr/bin/env bash
# Installs what is missing, builds (Release) and runs the program's main job.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
scripts/build.sh release

build/release/tools/cli/sonvela-cli tables
