#!/usr/bin/env bash
# Installs the Debian packages Tandolo builds, runs and tests with, when missing; packages named
# as arguments are wanted too (./dev fuzz asks for clang).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-image-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libfreetype-dev libvorbis-dev libopenmpt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  librsvg2-dev libcairo2-dev fonts-dejavu-core
  libfluidsynth-dev fluid-soundfont-gm
  desktop-file-utils appstream dpkg-dev lintian file
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
