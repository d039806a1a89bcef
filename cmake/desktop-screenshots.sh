#!/usr/bin/env bash
# Takes the screenshots software centres show: a play screen of world 1 and the world choice
# with five worlds open, with the scripts ./dev shots uses.
# Usage: desktop-screenshots.sh TANDOLO-HEADLESS SHOTS-SCRIPTS-DIR OUTPUT-DIR
set -euo pipefail
headless=$1
scripts=$2
out=$3
work="$out/work"
rm -rf "$work"
mkdir -p "$work"

sed "s#SHOT#$out/play.png#g" "$scripts/play-screen.txt" >"$work/play.txt"
(cd "$work" && "$headless" --ticks 2000 --script play.txt -- /world=1 /stage=1)

# A saved game with worlds 1 to 5 open (entries 2 and 5 of world.dat), kept in the scratch folder.
printf '%b' '\0\0\0\0' '\0\0\0\0' '\3\0\0\0' '\0\0\0\0' '\0\0\0\0' '\1\0\0\0' >"$work/world.dat"
sed "s#SHOT#$work/#g" "$scripts/menus.txt" >"$work/menus.txt"
(cd "$work" && "$headless" --ticks 1001 --script menus.txt)
mv "$work/world-choice.png" "$out/world-choice.png"
rm -rf "$work"
