#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: lintian finds no error; it holds the
# programs and what a desktop installation needs, and apt could install it here; unpacked into a
# scratch root, the programs start and talk to each other; the manual pages and vor-cli's
# completion know every option the programs' --help lists; and the completion completes.
# Usage: scripts/check_package.sh [DEB]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
deb="${1:-$(ls build/package/vor-user_*.deb)}"

fail() {
  echo "check_package.sh: $*" >&2
  exit 1
}

echo "-- lintian"
lintian --fail-on error "$deb"

echo "-- contents"
# dpkg-deb lists "mode owner size date time ./path"; keep the path, rooted.
contents=$(dpkg-deb --contents "$deb" | sed -E 's/^([^ ]+ +){5}\.//')
expected=(
  /usr/bin/vor-user /usr/bin/vor-cli /usr/bin/vor-sim
  /usr/share/applications/vor-user.desktop
  /usr/share/icons/hicolor/scalable/apps/vor-user.svg
  /usr/share/metainfo/org.voruser.VorUser.metainfo.xml
  /usr/share/man/man1/vor-user.1.gz /usr/share/man/man1/vor-cli.1.gz
  /usr/share/man/man1/vor-sim.1.gz
  /usr/share/bash-completion/completions/vor-cli
  /lib/udev/rules.d/60-vor-user.rules
  /usr/share/doc/vor-user/copyright /usr/share/doc/vor-user/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x$size/apps/vor-user.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done
apt-get install --simulate "$(realpath "$deb")" >/dev/null ||
  fail "apt cannot satisfy the package's dependencies"
for font in fonts-wine fonts-wqy-microhei; do
  dpkg-deb --field "$deb" Depends | grep -qw "$font" ||
    fail "the package does not depend on $font, whose faces the windows are laid out for"
done

root=$(mktemp -d)
sim=""
cleanup() {
  [ -n "$sim" ] && kill "$sim" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$root"
bin="$root/usr/bin"

echo "-- metadata"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.voruser.VorUser.metainfo.xml"
desktop-file-validate "$root/usr/share/applications/vor-user.desktop"

echo "-- programs from the scratch root"
# Without a display: vor-user answers --version before it needs one.
for program in vor-user vor-cli vor-sim; do
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$program" --version)
  [ "$version" = "$program 1.0.0.1" ] || fail "$program --version said \"$version\""
  echo "$version"
  # The Chinese catalogue travels inside each program: its --help speaks it.
  env -u DISPLAY -u WAYLAND_DISPLAY LANG=zh_CN.UTF-8 "$bin/$program" --help | grep -q "以 LANG 语言显示文字" ||
    fail "$program --help is not in Chinese under a Chinese locale"
done
coproc SIM { exec "$bin/vor-sim" --model JUT; }
sim=$SIM_PID
read -r -t 10 -u "${SIM[0]}" pty || fail "vor-sim printed no device path"
found=$("$bin/vor-cli" --port "$pty" scan) || fail "vor-cli found no controller on $pty"
[ "$found" = "$pty" ] || fail "vor-cli scan said \"$found\", not $pty"
kill -TERM "$sim"
wait "$sim" || fail "vor-sim did not end cleanly on SIGTERM"
sim=""
echo "vor-cli found vor-sim on $pty"

echo "-- options documented and completed"
for program in vor-user vor-cli vor-sim; do
  page=$(zcat "$root/usr/share/man/man1/$program.1.gz")
  for option in $("$bin/$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    # roff writes each hyphen as \-
    grep -qF -- "${option//-/\\-}" <<<"$page" || fail "$program(1) does not document $option"
    if [ "$program" = vor-cli ]; then
      grep -qwe "$option" "$root/usr/share/bash-completion/completions/vor-cli" ||
        fail "vor-cli's completion lacks $option"
    fi
  done
done

echo "-- completion"
mkdir "$root/files" && touch "$root/files/a.bin" "$root/files/b.bin"
(cd "$root/files" && bash --norc --noprofile -s "$root/usr/share/bash-completion/completions/vor-cli") \
  <<'EOF'
source /usr/share/bash-completion/bash_completion
source "$1"
status=0
# Line typed so far -> what completes its last word, sorted.
cases=(
  "vor-cli |apply describe diff history monitor read report scan set write zero"
  "vor-cli mo|monitor"
  "vor-cli --|--help --help-all --lang --port --simulate --trace --version"
  "vor-cli --port /dev/pts/7 zero --|--json --lang --port --simulate --trace --update --write-anyway"
  "vor-cli --trace write --|--force --in --lang --port --simulate --trace --write-anyway"
  "vor-cli --lang |en zh_CN"
  "vor-cli read --out |a.bin b.bin"
  "vor-cli diff a.bin |a.bin b.bin"
  "vor-cli monitor --count |"
  "vor-cli scan |"
  "vor-cli report --paper |a4 letter"
  "vor-cli history --|--json --lang --port --serial --simulate --trace"
)
for entry in "${cases[@]}"; do
  line=${entry%%|*}
  want=${entry#*|}
  read -ra COMP_WORDS <<<"$line"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _vor_cli vor-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [ "$got" != "$want" ]; then
    echo "completing \"$line\" gave \"$got\", not \"$want\"" >&2
    status=1
  fi
done
exit $status
EOF
echo "package checked: $deb"
