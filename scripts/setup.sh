#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only those that are missing.
# Usage: scripts/setup.sh [package|windows]; "package" adds what building and checking the .deb
# needs, "windows" the MinGW-w64 cross compiler, Wine, NSIS and Xvfb for the Windows programs.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-private-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools qt6-translations-l10n fonts-wqy-microhei
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  fonts-dejavu-core fonts-wine poppler-utils
)
if [ "${1:-}" = package ]; then
  packages+=(dpkg-dev file lintian appstream desktop-file-utils bash-completion man-db)
fi
if [ "${1:-}" = windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 nsis unzip xz-utils xvfb xauth imagemagick procps)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
