#!/usr/bin/env bash
# Installs what building, running and testing the panel needs (Debian 12).
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake pkg-config clang-format git libgtest-dev libfontconfig-dev \
  qt6-base-dev qt6-serialport-dev libpulse-dev libcanberra-dev libcanberra-pulse \
  xvfb xauth x11-utils socat pulseaudio pulseaudio-utils fonts-comic-neue imagemagick >/dev/null
