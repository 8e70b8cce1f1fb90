#!/usr/bin/env bash
# Installs the Debian packages Sonvela builds, tests and runs with.
# Idempotent: it only calls apt-get when a package is missing.
set -euo pipefail

packages=(
  g++ clang libclang-rt-14-dev llvm clang-format cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev qt6-multimedia-dev libqt6opengl6-dev
  qt6-svg-dev libhidapi-dev libudev-dev
  xvfb xauth iproute2 pulseaudio
  lintian desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
