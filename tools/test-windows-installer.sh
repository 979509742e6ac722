#!/usr/bin/env bash
# Checks the Windows installer under Wine (wine64, in a prefix of its own, on Xvfb): it installs
# silently (/S) the files of the portable folder beside it, less config.ini, plus its uninstaller;
# the Start menu holds the program and the uninstaller; Apps & features lists it; the installed
# program prints its version, and started for real it loads Qt's Windows platform, SVG and style
# plugins; the silent uninstaller then removes every file and entry. Exit status 1 on any fault.
# Run tools/build-windows.sh first.
#   test-windows-installer.sh [INSTALLER]   (default build-windows/veyra-setup-<version>-win64.exe)
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh wine64 xvfb
version=$(sed -n 's/^project(veyra-setup VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
installer=$(realpath "${1:-build-windows/veyra-setup-$version-win64.exe}")
portable=${installer%.exe}
[ -d "$portable" ] || { echo "test-windows-installer: no portable folder $portable beside the installer" >&2; exit 1; }
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(dirname "$(readlink -f "$wine")")/wineserver
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver

scratch=$(mktemp -d)
xvfb=
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
  rm -rf "$scratch"
}
trap cleanup EXIT
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
# A display of our own: the program's window and Wine's own need one, and never the user's.
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
"$wine" wineboot -i >/dev/null 2>&1

source tools/checks.sh
files_under() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\veyra-setup'
program_files=$WINEPREFIX/drive_c/Program\ Files/veyra-setup
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/veyra-setup

start=$SECONDS
rc=0
"$wine" "$installer" /S || rc=$?
"$wineserver" -w  # the installer's children, if any, are done too
echo "   (installed in $((SECONDS - start)) s)"
expected=$( (files_under "$portable" | grep -vx config.ini; echo Uninstall.exe) | LC_ALL=C sort)
installed=$(files_under "$program_files" 2>/dev/null || true)
check "silent install (exit $rc) puts the portable folder's files, no config.ini, into Program Files" \
  "$([ "$rc" = 0 ] && [ "$installed" = "$expected" ] && echo 1)" \
  "$(diff <(echo "$expected") <(echo "$installed") | sed 's/^/  /')"
links=$(files_under "$start_menu" 2>/dev/null | tr '\n' ' ')
check "Start menu: the program and its uninstaller" \
  "$([ "$links" = "Uninstall.lnk veyra-setup.lnk " ] && echo 1)" "  found: $links"
listed=$("$wine" reg query "$key" /v DisplayName 2>/dev/null | tr -d '\r' || true)
check "Apps & features lists veyra-setup" "$(grep -q 'DisplayName.*veyra-setup' <<<"$listed" && echo 1)" "  $listed"

printed=$("$wine" "$program_files/veyra-setup.exe" --version 2>&1 | tr -d '\r' || true)
check "installed program prints its version" "$([ "$printed" = "veyra-setup $version" ] && echo 1)" "  $printed"

# Started for real, in Russian (its settings kept out of Program Files, which root may write to
# under Wine), it loads its plugins as it draws the main window; Wine's loader names each DLL.
log=$scratch/program.log
VEYRA_CONFIG_PATH='C:\veyra-test\config.ini' WINEDEBUG=-all,+loaddll \
  "$wine" "$program_files/veyra-setup.exe" --lang original >"$log" 2>&1 &
program=$!
wanted=('platforms\\qwindows.dll' 'imageformats\\qsvg.dll' 'styles\\qwindowsvistastyle.dll')
loaded() { for p in "${wanted[@]}"; do grep -qF "veyra-setup\\\\$p\" at" "$log" || return 1; done; }
for _ in $(seq 600); do loaded && break; kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
check "installed program starts and loads the Windows platform, SVG and style plugins" \
  "$(loaded && echo 1)" "  $(grep -F 'Loaded L' "$log" | grep -v '\\system32\\' | tr -d '\r' | head -12)"
check "and Qt's Russian texts (no complaint about the translations)" \
  "$(grep -q 'translations could not be loaded' "$log" || echo 1)" "  $(grep translations "$log")"
"$wineserver" -k 2>/dev/null || true
wait "$program" 2>/dev/null || true
rm -rf "$WINEPREFIX/drive_c/veyra-test"

start=$SECONDS
rc=0
"$wine" "$program_files/Uninstall.exe" /S || rc=$?
"$wineserver" -w  # the uninstaller runs on from a copy of itself in %TEMP%
echo "   (uninstalled in $((SECONDS - start)) s)"
left=$(files_under "$program_files" 2>/dev/null || true)
check "silent uninstall (exit $rc) removes every installed file and the folder" \
  "$([ "$rc" = 0 ] && [ -z "$left" ] && [ ! -e "$program_files" ] && echo 1)" "  left: $left"
check "and the Start menu entries" "$([ ! -e "$start_menu" ] && echo 1)" "  $(ls "$start_menu" 2>&1)"
check "and the Apps & features entry" \
  "$("$wine" reg query "$key" >/dev/null 2>&1 || echo 1)" "  still in $key"

echo "== installer: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
