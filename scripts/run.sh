#!/usr/bin/env bash
# Sets up, builds and starts the panel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
exec build/Quorvane/Quorvane
