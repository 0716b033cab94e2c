#!/usr/bin/env bash
# Makes the Windows installer (NSIS) and the portable zip with CPack from the windows build, into
# build/windows/, and prints their paths. Usage: scripts/package_windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
scripts/build.sh windows
rm -f build/windows/vor-user-*-windows-x64.{exe,zip}
cpack --preset windows >/dev/null
ls build/windows/vor-user-*-windows-x64.exe build/windows/vor-user-*-windows-x64.zip
