#!/usr/bin/env bash
# Builds the Debian package in a build folder (build/ by default), lists what it installs and
# runs lintian on it, then runs the game from the unpacked package; fails when the package
# cannot be made, lintian finds an error or the game does not run.
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

# The game runs from the unpacked package: it answers --version, and starts headless for 5 s
# with nothing on stderr, its saves in a folder of its own.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
"$unpacked/usr/games/tandolo" --version
status=0
(cd "$unpacked" && XDG_DATA_HOME="$unpacked/saves" SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
  LP_NUM_THREADS=0 timeout 5 usr/games/tandolo 2>"$unpacked/stderr.txt") || status=$?
if [ "$status" -ne 124 ] || [ -s "$unpacked/stderr.txt" ]; then
  echo "package-check: the unpacked game did not run for 5 s (exit $status):" >&2
  cat "$unpacked/stderr.txt" >&2
  exit 1
fi
echo "package-check: $package is fine"
