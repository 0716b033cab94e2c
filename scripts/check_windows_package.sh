#!/usr/bin/env bash
# Checks the Windows installer and zip that scripts/package_windows.sh made, under Wine, in a Wine
# prefix of their own where nothing but the system's DLLs is found:
# - the zip's programs start from a fresh folder (every DLL and plugin they load is in the zip),
#   and vor-cli reads a simulated controller there;
# - the installer installs silently (/S) for the user into the user's Programs folder, with a
#   Start menu entry and an Apps & features entry; the installed vor-cli answers --version;
# - the uninstaller removes every file and entry the installer made, and leaves what the user's
#   programs wrote under the user's own folders (backups, settings).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/windows
installer=$(ls $build/vor-user-*-windows-x64.exe)
zip=$(ls $build/vor-user-*-windows-x64.zip)
work=$(mktemp -d)
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "check_windows_package: $*" >&2
  exit 1
}
wine wineboot -i </dev/null >/dev/null 2>&1
wineserver -w

echo "-- the zip, from a fresh folder"
mkdir "$work/portable"
unzip -q "$zip" -d "$work/portable"
folder=$(ls -d "$work/portable"/*/)
for dll in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6SerialPort.dll Qt6Charts.dll libstdc++-6.dll \
  libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
  qt.conf translations/qtbase_zh_CN.qm vor-user.exe vor-cli.exe; do
  [ -f "$folder/$dll" ] || fail "the zip lacks $dll"
done
[ ! -e "$folder/vor-sim.exe" ] || fail "the zip carries vor-sim.exe, which needs a pseudo-terminal"
version=$(cd "$folder" && wine ./vor-cli.exe --version </dev/null | tr -d '\r')
[ "$version" = "vor-cli 1.0.0.1" ] || fail "the zip's vor-cli.exe --version said \"$version\""
read=$(cd "$folder" && wine ./vor-cli.exe --simulate read </dev/null | tr -d '\r' | wc -l)
[ "$read" = 8 ] || fail "the zip's vor-cli.exe did not read the simulated controller"
version=$(cd "$folder" && wine ./vor-user.exe --version </dev/null | tr -d '\r')
[ "$version" = "vor-user 1.0.0.1" ] || fail "the zip's vor-user.exe --version said \"$version\""
echo "vor-cli.exe and vor-user.exe run from the unpacked zip"

echo "-- the installer, silently"
profile=$(wine cmd /c 'echo %LOCALAPPDATA%' </dev/null 2>/dev/null | tr -d '\r')
localappdata=$(winepath -u "$profile" 2>/dev/null)
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' </dev/null 2>/dev/null | tr -d '\r')")
target="$localappdata/Programs/VOR User"
wine "$installer" /S </dev/null
wineserver -w
[ -f "$target/vor-user.exe" ] || fail "nothing installed in $target"
[ -f "$target/Uninstall.exe" ] || fail "no uninstaller in $target"
[ -f "$appdata/Microsoft/Windows/Start Menu/Programs/VOR User.lnk" ] || fail "no Start menu entry"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VOR User'
wine reg query "$key" /v DisplayName </dev/null 2>/dev/null | grep -q "VOR User" ||
  fail "no Apps & features entry"
version=$(wine "$target/vor-cli.exe" --version </dev/null | tr -d '\r')
[ "$version" = "vor-cli 1.0.0.1" ] || fail "the installed vor-cli.exe --version said \"$version\""
echo "installed into $target: vor-cli.exe --version says $version"

echo "-- the uninstaller"
# What the programs wrote for the user (backups under %APPDATA%\vor-user) is the user's.
mkdir -p "$appdata/vor-user/backups"
echo backup >"$appdata/vor-user/backups/VOR72450-1-20261210-143501-250.bin"
wine "$target/Uninstall.exe" /S </dev/null
wineserver -w
# The uninstaller copies itself away to run; give it time to finish.
for _ in $(seq 50); do [ -e "$target" ] || break; sleep 0.2; done
[ ! -e "$target" ] || fail "left behind in $target: $(find "$target" | head)"
[ ! -e "$appdata/Microsoft/Windows/Start Menu/Programs/VOR User.lnk" ] ||
  fail "the Start menu entry stays"
if wine reg query "$key" </dev/null >/dev/null 2>&1; then fail "the Apps & features entry stays"; fi
[ -f "$appdata/vor-user/backups/VOR72450-1-20261210-143501-250.bin" ] ||
  fail "the uninstaller removed the user's backups"
echo "uninstalled: no file, shortcut or entry left; the user's backups stay"
