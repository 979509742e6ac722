#!/usr/bin/env bash
# Cross-builds veyractl.exe with MinGW-w64 and runs it under Wine against the Linux simulated
# host, through a COM port of Wine's own (a dosdevices link to the host's pseudo-terminal, listed
# in Wine's HKLM\HARDWARE\DEVICEMAP\SERIALCOMM). Each row runs the Linux veyractl on the same host
# right after, and the two must print the same and exit alike. Exit status 1 on any mismatch.
#   VEYRA_WIN_BUILD   the cross build directory (default build-win)
#   VEYRA_HOST_BUILD  a Linux build holding veyractl and veyra-hostsim (default build-winlinux;
#                     configured without GUI and tests when it does not exist yet)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash tools/install-deps.sh g++-mingw-w64-x86-64-posix wine64
win_build=$(realpath -m "${VEYRA_WIN_BUILD:-build-win}")
host_build=$(realpath -m "${VEYRA_HOST_BUILD:-build-winlinux}")
jobs=$(nproc)

echo "== Linux veyractl and veyra-hostsim ($host_build)"
[ -f "$host_build/CMakeCache.txt" ] ||
  cmake -S . -B "$host_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEYRA_GUI=OFF -DVEYRA_TESTS=OFF
cmake --build "$host_build" -j"$jobs" --target veyractl veyra-hostsim
echo "== veyractl.exe ($win_build)"
cmake -S . -B "$win_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEYRA_GUI=OFF -DVEYRA_TESTS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$win_build" -j"$jobs" --target veyractl

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
scratch=$(mktemp -d)
pids=()
cleanup() {
  # SIGKILL: a stopped host does not always act on a SIGTERM that arrives with its SIGCONT.
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  WINEPREFIX="$scratch/prefix" "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
"$wine" wineboot -i >/dev/null 2>&1
# HKLM\HARDWARE is volatile: it lasts as long as the Wine server, which is kept for the whole run.
# The prefix's own COM1 is a /dev/ttyS0 with nothing behind it; only our ports are listed.
rm -f "$WINEPREFIX/dosdevices/com1"
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
"$(dirname "$wine")/wineserver" -p >/dev/null 2>&1
"$wine" reg delete 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\Serial0' /f >/dev/null 2>&1 || true

# A simulated host per port; the link names its pseudo-terminal once it serves.
start_host() {  # start_host COMn
  "$host_build/hostsim/veyra-hostsim" --link "$scratch/$1.pty" >"$scratch/$1.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -e "$scratch/$1.pty" ] && break; sleep 0.05; done
  local pty
  pty=$(readlink -f "$scratch/$1.pty")
  mkdir -p "$scratch/ports"
  ln -sfn "$pty" "$scratch/ports/$1"                                                  # Linux
  ln -sfn "$pty" "$WINEPREFIX/dosdevices/${1,,}"                                      # Wine
  "$wine" reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v "\\Device\\Veyra$1" /d "$1" /f >/dev/null 2>&1
}
start_host COM7
start_host COM8
kill -STOP "${pids[1]}"  # COM8: a host that never answers
export VEYRA_PORTS_DIR="$scratch/ports"
# The Linux side lists the same two ports and none of this machine's own.
mkdir -p "$scratch/sys/class/tty"
export VEYRA_SYSFS_ROOT="$scratch/sys"
# One config.ini for both, a shorter time-out, so the silent rows take seconds.
printf '[timeout]\r\ntimes=2\r\nwaittime=500\r\n' >"$scratch/config.ini"
export VEYRA_CONFIG_PATH="$scratch/config.ini"
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

# name | arguments | what both must do
rows=(
  "send|--port COM7 send 00 09"
  "send lower-case port|-p com7 send 00 09"
  "search with password|--password 1234 search"
  "wrong password refused|--port COM7 --password 9999 arm"
  "arm|--port COM7 --password 1234 arm"
  "disarm|--port COM7 --password 1234 disarm"
  "history|--port COM7 history"
  "history as JSON|--port COM7 history --json"
  "phone-set|--port COM7 phone-set 1=13800138000 2=0085212345678"
  "phones|--port COM7 phones"
  "phone refused|--port COM7 phone-set 1=+7123"
  "setup|--port COM7 setup"
  "sensors|--port COM7 sensors"
  "silent host: retries, then no reply|--port COM8 send 00 09"
  "silent host, arm|--port COM8 arm"
  "port that is not there|--port COM9 send 00 09"
  "usage error|--port COM7 frobnicate"
)
failures=0
passed=0
check() {  # check NAME OK DETAIL
  if [ "$2" = 1 ]; then
    passed=$((passed + 1))
    printf 'ok    %s\n' "$1"
  else
    failures=$((failures + 1))
    printf 'FAIL  %s\n%s\n' "$1" "$3"
  fi
}
for row in "${rows[@]}"; do
  name=${row%%|*}
  read -ra args <<<"${row#*|}"
  set +e
  "$wine" "$win_build/cli/veyractl.exe" "${args[@]}" >"$scratch/win.out" 2>"$scratch/win.err"
  win_rc=$?
  "$host_build/cli/veyractl" "${args[@]}" >"$scratch/lin.out" 2>"$scratch/lin.err"
  lin_rc=$?
  set -e
  tr -d '\r' <"$scratch/win.out" >"$scratch/win.txt"
  same=1
  [ "$win_rc" = "$lin_rc" ] && cmp -s "$scratch/win.txt" "$scratch/lin.out" || same=0
  check "$name (exit $win_rc)" "$same" \
    "  Windows exit $win_rc, Linux exit $lin_rc; stdout diff:
$(diff "$scratch/win.txt" "$scratch/lin.out" | sed 's/^/  /')
  Windows stderr: $(tr -d '\r' <"$scratch/win.err" | head -3)"
done

# A host that hangs up while a command waits for its reply (time enough for 20 tries): the
# command ends at once with the line lost, whichever system it runs on.
hangup() {  # hangup COMMAND... ; prints stdout and the exit status
  rm -f "$scratch/hang.pty"
  "$host_build/hostsim/veyra-hostsim" --link "$scratch/hang.pty" >/dev/null 2>&1 &
  local host=$!
  for _ in $(seq 100); do [ -e "$scratch/hang.pty" ] && break; sleep 0.05; done
  kill -STOP "$host"
  ln -sfn "$(readlink -f "$scratch/hang.pty")" "$scratch/ports/COM9"
  ln -sfn "$(readlink -f "$scratch/hang.pty")" "$WINEPREFIX/dosdevices/com9"
  printf '[timeout]\r\ntimes=20\r\nwaittime=1000\r\n' >"$scratch/hang.ini"
  VEYRA_CONFIG_PATH="$scratch/hang.ini" "$@" --port COM9 send 00 09 >"$scratch/hang.out" 2>/dev/null &
  local command=$!
  sleep 2
  kill -9 "$host"
  local rc=0
  wait "$command" || rc=$?
  wait "$host" 2>/dev/null || true
  rm -f "$scratch/ports/COM9" "$WINEPREFIX/dosdevices/com9"
  tr -d '\r' <"$scratch/hang.out"
  echo "exit $rc"
}
win_hang=$(hangup "$wine" "$win_build/cli/veyractl.exe")
lin_hang=$(hangup "$host_build/cli/veyractl")
ok=0
[ "$win_hang" = "$lin_hang" ] && [ "${win_hang##*exit }" = 1 ] && ok=1
check "host hangs up while waiting: line lost at once (exit 1)" "$ok" "  Windows:
$win_hang
  Linux:
$lin_hang"

# The port list is the registry's, in its order: COM7 and COM8 as registered above.
set +e
"$wine" "$win_build/cli/veyractl.exe" ports >"$scratch/ports.out" 2>&1
ports_rc=$?
set -e
expected=$(printf 'COM7\t\\\\.\\COM7\t\\Device\\VeyraCOM7\nCOM8\t\\\\.\\COM8\t\\Device\\VeyraCOM8')
listed=$(tr -d '\r' <"$scratch/ports.out")
ok=0
[ "$ports_rc" = 0 ] && [ "$listed" = "$expected" ] && ok=1
check "ports from the registry, in its order" "$ok" "  got (exit $ports_rc):
$listed
  expected:
$expected"

echo "== $passed passed, $failures failed"
[ "$failures" -eq 0 ]
