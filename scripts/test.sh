#!/usr/bin/env bash
# Sets up, builds and runs every test. Usage: scripts/test.sh [PRESET]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
preset="${1:-default}"
scripts/build.sh "$preset"
ctest --preset "$preset" -j 2
