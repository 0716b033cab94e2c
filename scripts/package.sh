#!/usr/bin/env bash
# Builds the Debian package into build/package/ with CPack, from a release build hardened with
# Debian's build flags, and prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake --preset package -DCMAKE_CXX_FLAGS="$cflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build --preset package -j "$(nproc)"

rm -f build/package/vor-user_*.deb
cpack --preset package >/dev/null
ls build/package/vor-user_*.deb
