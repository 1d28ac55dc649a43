#!/usr/bin/env bash
# Start-up time of the panel, from exec to its window mapped on the X server, against a
# bare Qt window built beside it; median of N runs each (default 9). Needs Xvfb and
# xwininfo (x11-utils). Usage: bench/startup.sh [build folder] [runs]
set -euo pipefail
build=${1:-build}
runs=${2:-9}
app=$build/Quorvane/Quorvane
bare=$build/bench/bare_window
export HOME=$(mktemp -d)  # a first start would show the settings message: write one first
mkdir -p "$HOME/Quorvane"
printf 'Settings for Quorvane\r\nx\r\n- Colors\r\n 255 \r\n 8454016 \r\n 512 \r\n 2 \r\n 8454143 \r\n 8421631 \r\n- Sounds\r\n 1 \r\n 0 \r\n- Output\r\n 0 \r\n- Displaytext\r\nARDUINO \r\n' > "$HOME/Quorvane/Settings.txt"
# A display of its own: Xvfb picks a free number and writes it to the pipe.
exec 3< <(Xvfb -displayfd 1 -screen 0 1600x1000x24 2>/dev/null)
xvfb=$!
read -r -u 3 display
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:$display
measure() {  # program, window title -> milliseconds to mapped
  local t0 t1 pid
  t0=$(date +%s%N)
  "$1" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -name "$2" 2>/dev/null | grep -q 'IsViewable'; do sleep 0.005; done
  t1=$(date +%s%N)
  kill $pid; wait $pid 2>/dev/null || true
  echo $(( (t1 - t0) / 1000000 ))
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p=$(for i in $(seq "$runs"); do measure "$app" Quorvane; done | median)
b=$(for i in $(seq "$runs"); do measure "$bare" BareWindow; done | median)
echo "start-up to window shown, median of $runs: panel ${p} ms, bare Qt window ${b} ms, ratio $(awk -v p="$p" -v b="$b" 'BEGIN {printf "%.2f", p/b}')"
