#!/usr/bin/env bash
# CPU use of the game left alone on a level: starts build/tandolo off screen on world 1 stage 2,
# waits for the level to be in play, then reads the process's CPU time over a window of seconds.
#   tools/perf/idle-cpu.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
seconds=${1:-10}
build_dir=${2:-build}
SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "$build_dir/tandolo" /world=1 /stage=2 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 8
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
echo "idle CPU: $(( (after - before) * 100 / (seconds * $(getconf CLK_TCK)) )) % of one core"
