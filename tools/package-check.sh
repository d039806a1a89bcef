#!/usr/bin/env bash
# Builds the Debian package in a build folder (build/ by default), lists what it installs and
# runs lintian on it; fails when the package cannot be made or lintian finds an error.
# Usage: tools/package-check.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir" -j2
rm -f "$build_dir"/tandolo_*.deb
(cd "$build_dir" && cpack -G DEB)
package=$(ls "$build_dir"/tandolo_*.deb)

dpkg-deb --info "$package"
# The data's own files are many and say little here: one line for each of its folders.
dpkg-deb --contents "$package" | grep -v -E '/share/tandolo/(data|levels)/.+[^/]$'
# Errors fail the check; warnings are shown and left to the reader.
lintian --fail-on error "$package"
echo "package-check: $package is fine"
