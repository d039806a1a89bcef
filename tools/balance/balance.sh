#!/usr/bin/env bash
# Plays every level PLAYS times with each scripted player, in parallel, and writes the table of
# docs/levels.md. Usage: tools/balance/balance.sh BUILD_DIR PLAYS OUTPUT
set -euo pipefail
build_dir=$(cd "$1" && pwd)
plays=$2
output=$3
here=$(cd "$(dirname "$0")" && pwd)

# The game keeps progress and settings in its working directory: give it one of its own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for world in 1 2 3 4 5 6 7 8; do
  for stage in 1 2 3 4 5; do
    for player in careful hasty; do
      for seed in $(seq 1 "$plays"); do
        echo "$world $stage $player $seed"
      done
    done
  done
done >"$work/plays.txt"

# One line a play: "W-S <the player's line>".
play() {
  cd "$2"
  set -- "$1" $3
  local line
  line=$("$1/tandolo-headless" --levels "$1/levels" --player "$4" --seed "$5" -- "/world=$2" "/stage=$3" 2>&1) ||
    { printf 'tools/balance: world %s stage %s, %s player, seed %s: %s\n' "$2" "$3" "$4" "$5" "$line" >&2; return 1; }
  printf '%s-%s %s\n' "$2" "$3" "${line##*$'\n'}"
}
export -f play
xargs -P "$(nproc)" -I{} bash -c 'play "$0" "$1" "$2"' "$build_dir" "$work" {} <"$work/plays.txt" \
  >"$work/results.txt"

{
  echo "# Level balance"
  echo
  echo "Made by \`./dev balance $plays\`: every level played $plays times by each scripted player of"
  echo "\`tandolo-headless --player\` (seeds 1 to $plays). Careful thinks a moment, prefers sets on squares still"
  echo "to clear and large ones, and takes an item when it helps; hasty clicks the first set it sees and"
  echo "takes every item that lands. Per level and player: the share of plays won, the median fraction of"
  echo "the time bar left at a win, the items taken and spent to effect (mean per play), and the median of"
  echo "each play's longest stall without a set, in seconds."
  echo
  sort -t- -k1,1n -k2,2n "$work/results.txt" | awk -f "$here/table.awk"
} >"$output"
