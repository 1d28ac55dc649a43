#!/usr/bin/env bash
# CPU use of the idle panel over 30 s (default), under Xvfb.
# Usage: bench/idle_cpu.sh [build folder] [seconds]
set -euo pipefail
build=${1:-build}
secs=${2:-30}
export HOME=$(mktemp -d)
mkdir -p "$HOME/Quorvane"
printf 'Settings for Quorvane\r\nx\r\n- Colors\r\n 255 \r\n 8454016 \r\n 512 \r\n 2 \r\n 8454143 \r\n 8421631 \r\n- Sounds\r\n 1 \r\n 0 \r\n- Output\r\n 0 \r\n- Displaytext\r\nARDUINO \r\n' > "$HOME/Quorvane/Settings.txt"
source "$(dirname "$0")/xvfb.sh"
start_xvfb
"$build/Quorvane/Quorvane" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid $xvfb 2>/dev/null' EXIT
sleep 3
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
a=$(ticks); sleep "$secs"; b=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle CPU over ${secs} s: $(awk -v d=$((b - a)) -v hz="$hz" -v s="$secs" 'BEGIN {printf "%.2f", 100 * d / hz / s}')% of one core"
