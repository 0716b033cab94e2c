#!/usr/bin/env bash
# Sets up and builds, then opens the desktop program on a simulated controller.
# Extra arguments go to vor-user (e.g. --simulate=JUT, --trace).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: run this from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
args=("$@")
[ ${#args[@]} -eq 0 ] && args=(--simulate)
exec build/default/mainwindow/vor-user "${args[@]}"
