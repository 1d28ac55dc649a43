#!/usr/bin/env bash
# CPU use of the idle panel over 30 s (default), under Xvfb.
# Usage: bench/idle_cpu.sh [build folder] [seconds]
set -euo pipefail
build=${1:-build}
secs=${2:-30}
export HOME=$(mktemp -d)
source "$(dirname "$0")/xvfb.sh"
write_settings
start_xvfb
"$build/Quorvane/Quorvane" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid $xvfb 2>/dev/null' EXIT
sleep 3
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
a=$(ticks); sleep "$secs"; b=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle CPU over ${secs} s: $(awk -v d=$((b - a)) -v hz="$hz" -v s="$secs" 'BEGIN {printf "%.2f", 100 * d / hz / s}')% of one core"
