#!/usr/bin/env bash
# Saves a picture of every window of veyra-setup.exe as it draws itself under Wine, on a virtual X
# server, into screenshots-windows/<language>/: the main window before and after a search that
# logs in to the Linux simulated host through a COM port of Wine's own (as tools/test-windows.sh
# sets one up), the login box, and the window of each tile with a picture after each press of a
# button that talks to the host. The program's test script (app/TestScript.h), written by
# tools/screenshot-steps.py as for tools/screenshots.sh, clicks through them and saves each window
# in front.
#   screenshots-windows.sh [--lang original|ru|en]   (default: all three)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
languages=(original ru en)
case "${1:-}" in
  "") ;;
  --lang) [[ "${2:-}" =~ ^(original|ru|en)$ ]] || { echo "usage: $0 [--lang original|ru|en]" >&2; exit 2; }; languages=("$2") ;;
  *) echo "usage: $0 [--lang original|ru|en]" >&2; exit 2 ;;
esac
bash tools/install-deps.sh wine64 fonts-wine xvfb
build=$root/build-windows/build
if [ -f "$build/CMakeCache.txt" ]; then
  cmake --build "$build" -j"$(nproc)" --target veyra-setup
else
  bash tools/build-windows.sh >/dev/null
fi
host_build=$(realpath -m "${VEYRA_HOST_BUILD:-build-winlinux}")
[ -f "$host_build/CMakeCache.txt" ] ||
  cmake -S . -B "$host_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEYRA_GUI=OFF -DVEYRA_TESTS=OFF
cmake --build "$host_build" -j"$(nproc)" --target veyra-hostsim

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(dirname "$(readlink -f "$wine")")/wineserver
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
"$wine" wineboot -i >/dev/null 2>&1
# The port list holds COM3 alone, which the registry lists only while the Wine server runs.
rm -f "$WINEPREFIX/dosdevices/com1"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -p >/dev/null 2>&1
"$wine" reg delete 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\Serial0' /f >/dev/null 2>&1 || true
"$host_build/hostsim/veyra-hostsim" --link "$scratch/COM3.pty" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "$scratch/COM3.pty" ] && break; sleep 0.05; done
ln -sfn "$(readlink -f "$scratch/COM3.pty")" "$WINEPREFIX/dosdevices/com3"
"$wine" reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\VeyraCOM3' /d COM3 /f >/dev/null 2>&1

status=0
for lang in "${languages[@]}"; do
  out=$root/screenshots-windows/$lang
  rm -rf "$out"
  mkdir -p "$out"
  python3 tools/screenshot-steps.py "$lang" "Z:$out/" COM3 >"$scratch/script-$lang.txt"
  # Its settings (the remembered port) stay in the scratch prefix; config.ini beside the pictures'
  # scratch, with a short time-out.
  printf '[timeout]\r\ntimes=2\r\nwaittime=500\r\n' >"$scratch/config.ini"
  rc=0
  VEYRA_CONFIG_PATH="$scratch/config.ini" VEYRA_TEST_SCRIPT="Z:$scratch/script-$lang.txt" \
    timeout 300 "$wine" "$build/veyra-setup.exe" --lang "$lang" 2>&1 | tr -d '\r' | grep -v ' done: ' || true
  rc=${PIPESTATUS[0]}
  [ "$rc" = 0 ] || { echo "veyra-setup.exe --lang $lang ended with $rc" >&2; status=1; }
  echo "$out: $(ls "$out" | wc -l) pictures"
done
exit $status
