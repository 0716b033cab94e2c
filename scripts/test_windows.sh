#!/usr/bin/env bash
# Builds the Windows programs and their tests with MinGW-w64 (the windows preset) and runs the
# tests under Wine. The Qt for Windows is unpacked from ../shared/qt-windows/ into ~/.cache/vor-user
# the first time. The test over a COM port takes vor-sim and the Wine fixture from a Linux build
# (default, or ci when CI is set), which gets what it lacks of them built here.
# Usage: scripts/test_windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
host=default
if [ -n "${CI:-}" ]; then host=ci; fi
cmake --preset "$host" >/dev/null
cmake --build --preset "$host" -j "$(nproc)" --target vor-sim vor_wine_serial_pty
export VOR_HOST_BUILD_DIR=$PWD/build/$host
scripts/build.sh windows
ctest --preset windows -j 2
