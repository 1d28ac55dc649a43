#!/usr/bin/env bash
# Time to the window shown and memory of the panel started with a 1 GB first effect file
# (led), a Settings.txt with a 200 MB tail (settings) or neither (none). Needs Xvfb and
# xwininfo (x11-utils). Usage: bench/large_files.sh [build] led|settings|none
set -euo pipefail
build=$(realpath "${1:-build}"); what=${2:-led}
T=$(mktemp -d /tmp/qvm-XXXXXX)
cp -r "$build/Quorvane" "$T/app"
export HOME=$T/home
source "$(dirname "$0")/xvfb.sh"
write_settings
if [ "$what" = led ]; then
  { printf '550\r\n'; yes $'+-+-+-+-\r' | head -c 1000000000 || true; } > "$T/app/Effects/0big.led"
elif [ "$what" = settings ]; then
  head -c 200000000 /dev/zero | tr '\0' 'x' >> "$HOME/Quorvane/Settings.txt"
fi
start_xvfb
trap 'kill $xvfb 2>/dev/null; rm -rf "$T"' EXIT
sync; cat "$T"/app/Effects/*.led "$HOME/Quorvane/Settings.txt" >/dev/null  # warm cache
t0=$(date +%s%N)
"$T/app/Quorvane" >/dev/null 2>&1 &
pid=$!
until xwininfo -name Quorvane 2>/dev/null | grep -q IsViewable; do sleep 0.005; done
t1=$(date +%s%N)
sleep 0.5
peak=$(awk '/VmHWM/ {print $2}' /proc/$pid/status)
kept=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
kill $pid; wait $pid 2>/dev/null || true
echo "$what: window after $(( (t1 - t0) / 1000000 )) ms, peak RSS $((peak/1024)) MB, RSS with window shown $((kept/1024)) MB"
