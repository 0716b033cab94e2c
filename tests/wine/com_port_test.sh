#!/usr/bin/env bash
# vor-cli.exe under Wine against the Linux vor-sim over a COM port: Wine's COM5 is mapped to the
# pseudo-terminal vor-sim answers on, with the Wine fixture (wine_serial_pty.cpp) preloaded into
# Wine. The Wine prefix is this test's own (wine-com beside the emulator), with no other COM port.
# Run by ctest as
#   com_port_test.sh HOST-BUILD EMULATOR VOR-CLI.EXE
# HOST-BUILD is a Linux build of this source that has vor-sim and the fixture; VOR_HOST_BUILD_DIR
# names another.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
host=${VOR_HOST_BUILD_DIR:-$1}
# Wine's processes run in other folders: the library is preloaded by its full path.
if [ -d "$host" ]; then host=$(cd "$host" && pwd); fi
emulator=$2
cli=$3
sim=$host/simulator/vor-sim
fixture=$host/tests/wine/libvor_wine_serial_pty.so
for needed in "$sim" "$fixture"; do
  if [ ! -f "$needed" ]; then
    echo "skipped: $needed is not built; build vor-sim and vor_wine_serial_pty in a Linux build" \
      "(scripts/test_windows.sh does), or name one in VOR_HOST_BUILD_DIR"
    exit 77
  fi
done
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
export VOR_WINEPREFIX
VOR_WINEPREFIX=$(cd "$(dirname "$emulator")" && pwd)/wine-com
wine_run() { LD_PRELOAD=$fixture "$emulator" "$@" </dev/null; }

# COM5 names a link that each run points at its own pseudo-terminal. Wine maps the ports when its
# services start, so the first run restarts them once the mapping is in the registry.
port_link=$VOR_WINEPREFIX/com5-pty
if [ ! -f "$VOR_WINEPREFIX/.vor-com5" ]; then
  wine_run reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$port_link" /f >/dev/null 2>&1 ||
    fail "could not map COM5 in $VOR_WINEPREFIX"
  WINEPREFIX=$VOR_WINEPREFIX wineserver -k || true
  WINEPREFIX=$VOR_WINEPREFIX wineserver -w
  touch "$VOR_WINEPREFIX/.vor-com5"
fi

# The controller takes 20 ms before it answers. Under Wine the program's check for input that came
# before its request had left the wire takes that long now and then (Qt drains its I/O completion
# port through another thread), and would take a prompt answer's first bytes for such input.
coproc SIM { exec "$sim" --lang en --fault late:any:0:20 2>&1; }
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
read -r -t 10 pty <&"${SIM[0]}" || fail "vor-sim printed no device"
ln -sfn "$pty" "$port_link"

# A port of the machine's own would be opened by the scan: the fixture keeps Wine from mapping one.
others=$(ls "$VOR_WINEPREFIX/dosdevices" | grep -ix 'com[0-9]*' | grep -vx com5 | tr '\n' ' ' || true)
[ -z "$others" ] || fail "Wine maps the machine's serial ports in the test's prefix: $others"

scan=$(wine_run "$cli" scan | tr -d '\r')
[ "$scan" = "COM5" ] || fail "scan printed \"$scan\", not COM5"

VOR_CLI_TARGET="--port COM5" \
  bash "$here/../e2e/cli_simulated_commands.sh" env LD_PRELOAD="$fixture" "$emulator" "$cli"
