#!/usr/bin/env bash
# Sets up and builds, then starts a simulated controller and shows vor-cli finding and reading it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh default >/dev/null
bin=build/default

fifo=$(mktemp -u)
mkfifo "$fifo"
"$bin/simulator/vor-sim" "$@" >"$fifo" &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$fifo"' EXIT
read -r device <"$fifo"
echo "Simulated controller on $device"
echo "\$ vor-cli --port $device scan"
"$bin/cli/vor-cli" --port "$device" scan
echo "\$ vor-cli --port $device read"
"$bin/cli/vor-cli" --port "$device" read
