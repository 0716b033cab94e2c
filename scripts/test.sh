#!/usr/bin/env bash
# Sets up, builds and runs every test. Usage: scripts/test.sh [PRESET]
# The preset defaults to "default", or to "ci" (warnings are errors) when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
preset="${1:-default}"
if [ $# -eq 0 ] && [ -n "${CI:-}" ]; then preset=ci; fi
scripts/build.sh "$preset"
ctest --preset "$preset" -j 2
