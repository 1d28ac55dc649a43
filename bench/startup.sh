#!/usr/bin/env bash
# Start-up time of the panel, from exec to its window mapped on the X server, against a
# Qt window with one label built beside it (bench/label_window.cpp); median of N runs
# each (default 9). Target: the panel within 1.2 times the yardstick; exits with 1 when
# it is missed. Needs Xvfb and xwininfo (x11-utils).
# Usage: bench/startup.sh [build folder] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-9}
app=$build/Quorvane/Quorvane
label=$build/bench/label_window
export HOME=$(mktemp -d)
source "$(dirname "$0")/xvfb.sh"
write_settings  # a first start would show the settings message
start_xvfb
trap 'kill $xvfb 2>/dev/null' EXIT
measure() {  # program, window title -> milliseconds to mapped
  local t0 t1 pid
  t0=$(date +%s%N)
  "$1" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -name "$2" 2>/dev/null | grep -q 'IsViewable'; do
    # A program that ends without a window (the X server refused it) would be waited for
    # for ever.
    kill -0 $pid 2>/dev/null || { echo "$1 ended without showing its window" >&2; exit 2; }
    sleep 0.005
  done
  t1=$(date +%s%N)
  kill $pid; wait $pid 2>/dev/null || true
  echo $(( (t1 - t0) / 1000000 ))
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p=$(for i in $(seq "$runs"); do measure "$app" Quorvane; done | median)
l=$(for i in $(seq "$runs"); do measure "$label" LabelWindow; done | median)
ratio=$(awk -v p="$p" -v l="$l" 'BEGIN {printf "%.2f", p/l}')
echo "start-up to window shown, median of $runs: panel ${p} ms, Qt window with one label ${l} ms, ratio $ratio (target 1.20)"
awk -v r="$ratio" 'BEGIN {exit !(r > 1.20)}' && { echo "MISSED: the panel's start-up above 1.20 times the yardstick's"; exit 1; }
exit 0
