#!/usr/bin/env bash
# build/bench/key_flood against a PulseAudio server of its own with a null sink, ended after.
# Usage: bench/key_flood.sh [build folder] [seconds]
set -euo pipefail
build=${1:-build}
secs=${2:-20}
export XDG_RUNTIME_DIR=$(mktemp -d /tmp/quorvane-flood-XXXXXX)
export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
pulseaudio -D -n --exit-idle-time=-1 --load=module-native-protocol-unix --load="module-null-sink sink_name=ci"
trap 'pulseaudio --kill 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
"$build/bench/key_flood" --seconds "$secs"
