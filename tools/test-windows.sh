#!/usr/bin/env bash
# The Windows build under Wine: builds veyractl.exe, veyra-setup.exe, its installer and zip, and the
# Windows unit and GUI tests in one build folder (tools/build-windows.sh, build-windows/build), so
# that the code they share is compiled once; then runs, under Wine:
#   the unit tests and the GUI tests (offscreen platform), by ctest;
#   veyractl.exe against the Linux simulated host, through a COM port of Wine's own (a dosdevices
#     link to the host's pseudo-terminal, listed in Wine's HKLM\HARDWARE\DEVICEMAP\SERIALCOMM). Each
#     row runs the Linux veyractl on the same host right after, and the two must print the same and
#     exit alike;
#   veyra-setup.exe on a virtual X server, driven by a test script (app/TestScript.h) through the
#     same kind of port: it searches on "Авто", logs in, arms and reads the alarm log, and the host
#     must have received those frames;
#   the installer (tools/test-windows-installer.sh).
# Exit status 1 on any mismatch or fault.
#   VEYRA_HOST_BUILD      a Linux build holding veyractl and veyra-hostsim (default build-winlinux;
#                         configured without GUI and tests when it does not exist yet)
#   VEYRA_WIN_CMAKE_ARGS  more options for the Windows build (tools/build-windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# googletest: the sources the Windows tests build GoogleTest from.
bash tools/install-deps.sh g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest xvfb
win_build=$root/build-windows/build
host_build=$(realpath -m "${VEYRA_HOST_BUILD:-build-winlinux}")
jobs=$(nproc)
step_start=$SECONDS
step_time() { echo "   ($1: $((SECONDS - step_start)) s)"; step_start=$SECONDS; }

echo "== Linux veyractl and veyra-hostsim ($host_build)"
[ -f "$host_build/CMakeCache.txt" ] ||
  cmake -S . -B "$host_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEYRA_GUI=OFF -DVEYRA_TESTS=OFF
cmake --build "$host_build" -j"$jobs" --target veyractl veyra-hostsim
step_time "Linux build"
echo "== the Windows programs, tests, installer and zip (tools/build-windows.sh)"
VEYRA_WIN_TESTS=ON bash tools/build-windows.sh | tail -1
step_time "Windows build"

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
scratch=$(mktemp -d)
pids=()
cleanup() {
  # SIGKILL: a stopped host does not always act on a SIGTERM that arrives with its SIGCONT.
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
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

source "$root/tools/checks.sh"

echo "== unit and GUI tests under Wine"
ctest_rc=0
ctest --test-dir "$win_build" --output-on-failure -j"$jobs" || ctest_rc=$?
check "unit and GUI tests under Wine (ctest exit $ctest_rc)" "$([ "$ctest_rc" = 0 ] && echo 1)" ""
step_time "tests under Wine"

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
for row in "${rows[@]}"; do
  name=${row%%|*}
  read -ra args <<<"${row#*|}"
  set +e
  "$wine" "$win_build/veyractl.exe" "${args[@]}" >"$scratch/win.out" 2>"$scratch/win.err"
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

# COM9: a host of its own for one command, started afresh for each system, since the rows below
# end it. Its process id is in $com9_host.
start_com9() {  # start_com9 [veyra-hostsim options]
  rm -f "$scratch/com9.pty"
  "$host_build/hostsim/veyra-hostsim" "$@" --link "$scratch/com9.pty" >/dev/null 2>&1 &
  com9_host=$!
  for _ in $(seq 100); do [ -e "$scratch/com9.pty" ] && break; sleep 0.05; done
  ln -sfn "$(readlink -f "$scratch/com9.pty")" "$scratch/ports/COM9"
  ln -sfn "$(readlink -f "$scratch/com9.pty")" "$WINEPREFIX/dosdevices/com9"
}
end_com9() {  # prints the command's stdout and exit status, given the status
  kill -9 "$com9_host" 2>/dev/null || true
  wait "$com9_host" 2>/dev/null || true
  rm -f "$scratch/ports/COM9" "$WINEPREFIX/dosdevices/com9"
  tr -d '\r' <"$scratch/com9.out"
  echo "exit $1"
}
same_on_both() {  # same_on_both NAME EXPECTED_EXIT WINDOWS_RESULT LINUX_RESULT
  local ok=0
  [ "$3" = "$4" ] && [ "${3##*exit }" = "$2" ] && ok=1
  check "$1" "$ok" "  Windows:
$3
  Linux:
$4"
}

# A host that hangs up while a command waits for its reply (time enough for 20 tries): the
# command ends at once with the line lost, whichever system it runs on.
printf '[timeout]\r\ntimes=20\r\nwaittime=1000\r\n' >"$scratch/hang.ini"
hangup() {  # hangup VEYRACTL...
  start_com9
  kill -STOP "$com9_host"
  VEYRA_CONFIG_PATH="$scratch/hang.ini" "$@" --port COM9 send 00 09 >"$scratch/com9.out" 2>/dev/null &
  local command=$! rc=0
  sleep 2
  kill -9 "$com9_host"
  wait "$command" || rc=$?
  end_com9 "$rc"
}
same_on_both "host hangs up while waiting: line lost at once (exit 1)" 1 \
  "$(hangup "$wine" "$win_build/veyractl.exe")" "$(hangup "$host_build/cli/veyractl")"

# A host pulled out after the first record of a list: that record is printed, then the lost line.
cut_list() {  # cut_list VEYRACTL...
  start_com9 --hang-up-after 1000
  local rc=0
  "$@" --port COM9 history >"$scratch/com9.out" 2>/dev/null || rc=$?
  end_com9 "$rc"
}
win_cut=$(cut_list "$wine" "$win_build/veyractl.exe")
lin_cut=$(cut_list "$host_build/cli/veyractl")
same_on_both "host hangs up mid-list: first record, then line lost (exit 1)" 1 "$win_cut" "$lin_cut"
[ "$(printf '%s\n' "$lin_cut" | grep -c $'^1\t')" = 1 ] ||
  check "the cut list printed its first record" 0 "$lin_cut"

# The port list is the registry's, in its order: COM7 and COM8 as registered above.
set +e
"$wine" "$win_build/veyractl.exe" ports >"$scratch/ports.out" 2>&1
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

step_time "veyractl.exe rows"

echo "== veyra-setup.exe through a COM port, driven by a test script"
# Its own host on COM3, which logs the frames it received when it stops; COM7 goes, so that the
# search over every port passes the silent COM8 and finds COM3.
kill -KILL "${pids[0]}" 2>/dev/null || true
rm -f "$WINEPREFIX/dosdevices/com7"
"$wine" reg delete 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\VeyraCOM7' /f >/dev/null 2>&1 || true
"$host_build/hostsim/veyra-hostsim" --link "$scratch/COM3.pty" --frames-log "$scratch/frames.log" \
  >"$scratch/COM3.log" 2>&1 &
gui_host=$!
pids+=("$gui_host")
for _ in $(seq 100); do [ -e "$scratch/COM3.pty" ] && break; sleep 0.05; done
ln -sfn "$(readlink -f "$scratch/COM3.pty")" "$WINEPREFIX/dosdevices/com3"
"$wine" reg add 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' /v '\Device\VeyraCOM3' /d COM3 /f >/dev/null 2>&1
cat >"$scratch/script.txt" <<'SCRIPT'
click Поиск 3G-камеры     # "Авто" is chosen at first start
type 1234
click OK
wait COM3 Successful to find main host!
click Установка режимов
click Активировать систему
wait Активировать систему!
close                     # the message
close                     # the arm/disarm window
click Журнал тревог
click Обновить            # returns once the first record is in
close
close                     # the main window: the program ends
SCRIPT
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
set +e
DISPLAY=$display VEYRA_TEST_SCRIPT="Z:$scratch/script.txt" \
  timeout 180 "$wine" "$win_build/veyra-setup.exe" --lang original >"$scratch/gui.out" 2>"$scratch/gui.err"
gui_rc=$?
set -e
kill -TERM "$gui_host"
wait "$gui_host" 2>/dev/null || true
script_log=$(tr -d '\r' <"$scratch/gui.err" | grep 'test script' || true)
check "veyra-setup.exe searches, logs in, arms and reads the log (exit $gui_rc)" \
  "$([ "$gui_rc" = 0 ] && [ "$(grep -c ' done: ' <<<"$script_log")" = "$(grep -cv '^$' "$scratch/script.txt")" ] && echo 1)" \
  "$(sed 's/^/  /' <<<"$script_log")"
# The frames as the host read them: the login with 1234, the arm command, the alarm log's read.
frames=$(cat "$scratch/frames.log" 2>/dev/null || true)
for frame in "login with 1234|02 01 12 34" "arm|00 09" "alarm log read|00 02"; do
  check "the host received the ${frame%%|*} frame" "$(grep -q "^.. ${frame#*|} .. ..\$" <<<"$frames" && echo 1)" \
    "  received:
$(sed 's/^/  /' <<<"$frames")"
done
step_time "veyra-setup.exe end to end"

echo "== veyra-setup.exe --demo: the host inside the program, no serial port"
# The search on "Авто" passes the silent COM8 and the gone COM3 and finds the demo host, listed
# under the lowest free COM number.
cat >"$scratch/demo-script.txt" <<'SCRIPT'
click Поиск 3G-камеры
type 1234
click OK
wait Successful to find main host!
click Установка режимов
click Активировать систему
wait Активировать систему!
close                     # the message
close                     # the arm/disarm window
close                     # the main window: the program ends
SCRIPT
set +e
DISPLAY=$display VEYRA_TEST_SCRIPT="Z:$scratch/demo-script.txt" \
  timeout 180 "$wine" "$win_build/veyra-setup.exe" --demo --lang original >"$scratch/demo.out" 2>"$scratch/demo.err"
demo_rc=$?
set -e
demo_log=$(tr -d '\r' <"$scratch/demo.err" | grep 'test script' || true)
check "veyra-setup.exe --demo finds its own host, logs in and arms (exit $demo_rc)" \
  "$([ "$demo_rc" = 0 ] && [ "$(grep -c ' done: ' <<<"$demo_log")" = "$(grep -cv '^$' "$scratch/demo-script.txt")" ] && echo 1)" \
  "$(sed 's/^/  /' <<<"$demo_log")"
step_time "veyra-setup.exe --demo"

echo "== $passed passed, $failures failed"

# The installer under Wine, in a prefix of its own.
echo "== the installer under Wine"
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
installer_rc=0
(unset WINEPREFIX VEYRA_PORTS_DIR VEYRA_SYSFS_ROOT VEYRA_CONFIG_PATH
  bash tools/test-windows-installer.sh) || installer_rc=$?
step_time "installer"
[ "$failures" -eq 0 ] && [ "$installer_rc" -eq 0 ]
