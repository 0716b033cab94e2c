#!/usr/bin/env bash
# Builds the Windows programs and their tests with MinGW-w64 (the windows preset) and runs the
# tests under Wine. The Qt for Windows is unpacked from ../shared/qt-windows/ into ~/.cache/vor-user
# the first time. Usage: scripts/test_windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
scripts/build.sh windows
ctest --preset windows -j 2
