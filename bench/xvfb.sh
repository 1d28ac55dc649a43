#!/usr/bin/env bash
# Runs a command on an X display of its own, a fresh Xvfb ended after it:
#   bench/xvfb.sh COMMAND [ARG...]
# Sourced, it gives the calling script start_xvfb, which starts one and sets DISPLAY and
# xvfb (the server's process) for the script to end it.
start_xvfb() {
  # Xvfb picks a free display number and writes it to the pipe.
  exec 3< <(Xvfb -displayfd 1 -screen 0 1600x1000x24 2>/dev/null)
  xvfb=$!
  read -r -u 3 display
  export DISPLAY=:$display
}
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  start_xvfb
  trap 'kill $xvfb 2>/dev/null' EXIT
  "$@"
fi
