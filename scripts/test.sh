#!/usr/bin/env bash
# Sets up, builds and runs every test (unit, behaviour, Qt and end-to-end).
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${QUORVANE_SKIP_SETUP:-0}" = 1 ] || scripts/setup.sh
dir=${1:-build}
shift || true
scripts/build.sh "$dir" "$@"
# A sound server with a null sink, so the sound tests can record what was played.
if command -v pulseaudio >/dev/null && [ -z "${PULSE_SERVER:-}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d /tmp/quorvane-xdg-XXXXXX)
  pulseaudio -D -n --exit-idle-time=-1 --system=false \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=ci" >/dev/null 2>&1 || true
  trap 'pulseaudio --kill >/dev/null 2>&1 || true' EXIT
fi
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
