#!/usr/bin/env bash
# vor-cli's commands against the simulated controller inside the program (--simulate): on Windows
# the simulator runs on a line inside the process, on Linux on a pseudo-terminal. Run by ctest as
#   cli_simulated_commands.sh [EMULATOR...] VOR-CLI
# VOR_CLI_TARGET gives other options that pick the controller (the COM port test's "--port COM5").
set -euo pipefail
cli=("$@")
read -r -a target <<<"${VOR_CLI_TARGET:---simulate}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The backups that write, set and zero --update make go here, not into the user's own folder.
export XDG_DATA_HOME="$work/data"
# And the report's workshop and technician into a settings file of the run's own.
export XDG_CONFIG_HOME="$work/config"
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
run() { "${cli[@]}" "${target[@]}" "$@" </dev/null | tr -d '\r'; }

[ "$(run scan)" != "" ] || fail "scan printed no port"
run read --out "$work/image.bin" >/dev/null || fail "read --out failed"
[ "$(wc -c <"$work/image.bin")" = 128 ] || fail "read --out did not save 128 bytes"
[ "$(run read | wc -l)" = 8 ] || fail "read did not print 8 lines"
run write --in "$work/image.bin" >/dev/null || fail "write with its read-back failed"
changed=$(run set "Low Volt=40") || fail "set failed"
[[ $changed == *"Low Volt: 54 -> 40"* ]] || fail "set printed \"$changed\""
monitor=$(run monitor --count 3)
[ "$(wc -l <<<"$monitor")" = 4 ] || fail "monitor --count 3 printed: $monitor"
[[ $(head -1 <<<"$monitor") == time_ms,status,* ]] || fail "monitor's header: $monitor"
[ "$(grep -c ',Success!,' <<<"$monitor")" = 3 ] || fail "monitor's polls: $monitor"
zero=$(run zero) || fail "zero failed"
[ "$(wc -l <<<"$zero")" -ge 3 ] || fail "zero printed: $zero"
run zero --update >/dev/null || fail "zero --update failed"
history=$("${cli[@]}" history --json </dev/null | tr -d '\r') || fail "history failed"
[[ $history == *'"operation": "set"'* && $history == *'"parameter": "Low Volt"'* ]] ||
  fail "history holds no record of the set: $history"
run report --out "$work/visit.pdf" --workshop "Ace Motors" --technician "J. Doe" ||
  fail "report failed"
[ "$(head -c 5 "$work/visit.pdf")" = "%PDF-" ] || fail "report made no PDF"
echo "scan, read, write, set, monitor, zero, history and report passed (${target[*]})"
