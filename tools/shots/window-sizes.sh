#!/usr/bin/env bash
# The game in windows of other sizes than its own 800 x 600: play, the main menu and the world
# choice at 1280 x 720 and 1920 x 1080 (scaled smoothly, bars left and right) and at
# 1600 x 1200 (twice the size, pixel for pixel), each showing the whole window with its bars.
#
#     tools/shots/window-sizes.sh BUILD_FOLDER OUT_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
shots=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 1280x720 1920x1080 1600x1200; do
  sed "s#SHOT#$out/play-$size.png#g" "$shots/play-screen.txt" >"$work/play.txt"
  "$build/tandolo-headless" --window "$size" --levels "$build/levels" --ticks 2000 --script "$work/play.txt" \
    -- /world=2 /stage=3
  # The menus from a first start, in a folder of their own where the game keeps its saves.
  rm -f "$work/world.dat"
  sed "s#SHOT#$work/#g" "$shots/menus.txt" >"$work/menus.txt"
  (cd "$work" && "$build/tandolo-headless" --window "$size" --ticks 1010 --script "$work/menus.txt")
  mv "$work/main-menu.png" "$out/main-menu-$size.png"
  mv "$work/world-choice.png" "$out/world-choice-$size.png"
done
ls "$out"/*.png
