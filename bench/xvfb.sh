#!/usr/bin/env bash
# Runs a command on an X display of its own, a fresh Xvfb ended after it:
#   bench/xvfb.sh COMMAND [ARG...]
# Sourced, it gives the calling script start_xvfb, which starts one and sets DISPLAY and
# xvfb (the server's process) for the script to end it; and write_settings.
start_xvfb() {
  # Xvfb picks a free display number and writes it to the pipe.
  exec 3< <(Xvfb -displayfd 1 -screen 0 1600x1000x24 2>/dev/null)
  xvfb=$!
  read -r -u 3 display
  export DISPLAY=:$display
}
# Writes $HOME/Quorvane/Settings.txt: the standard file the tests use too, with the start
# sound off, so that the panel starts without a message and without a sound.
write_settings() {
  mkdir -p "$HOME/Quorvane"
  sed '12s/ 1 / 0 /' "$(dirname "${BASH_SOURCE[0]}")/../tests/data/Settings.txt" > "$HOME/Quorvane/Settings.txt"
}
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  start_xvfb
  trap 'kill $xvfb 2>/dev/null' EXIT
  "$@"
fi
