#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds with warnings as errors, and runs every
# test: a normal build (then clang-tidy over its Qt-free code, then installed and packaged), each fuzz target for a while, an
# AddressSanitizer + UndefinedBehaviorSanitizer build, a ThreadSanitizer build of the Qt-free code,
# and the Windows build under Wine (veyractl.exe and the Qt-free unit tests, then the installer of
# veyra-setup.exe).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "formatted as .clang-format asks"

strict=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON
echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$strict"
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
echo "== clang-tidy (Qt-free code)"
bash tools/tidy.sh build
echo "== install and package"
bash tools/check-package.sh build

echo "== fuzz targets"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVEYRA_FUZZ=ON -DVEYRA_GUI=OFF -DVEYRA_TESTS=OFF "$strict"
decoder_targets="frame_build history timers phones setup password devices"
cmake --build build-fuzz -j"$jobs" --target frame_fuzz ini_fuzz $(printf '%s_fuzz ' $decoder_targets)
fuzz_seconds=${VEYRA_FUZZ_SECONDS:-20}
# Each target is one process on one core: run as many at once as there are cores, each for the
# full time, and print each one's summary when it ends.
fuzz_logs=$(mktemp -d)
fuzz_one() {
  local target=$1 work
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$target/." "$work/"
  local status=0
  "build-fuzz/fuzz/${target}_fuzz" "$work" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
    >"$fuzz_logs/$target.log" 2>&1 || status=$?
  rm -rf "$work"
  { echo "-- ${target}_fuzz, ${fuzz_seconds} s"; tail -n 5 "$fuzz_logs/$target.log"; } >"$fuzz_logs/$target.summary"
  return "$status"
}
export -f fuzz_one
export fuzz_logs fuzz_seconds
fuzz_failed=0
printf '%s\n' frame ini $decoder_targets | xargs -P "$jobs" -I{} bash -c 'fuzz_one {}' || fuzz_failed=1
for target in frame ini $decoder_targets; do cat "$fuzz_logs/$target.summary"; done
if [ "$fuzz_failed" != 0 ]; then
  for target in frame ini $decoder_targets; do grep -q "SUMMARY\|ERROR" "$fuzz_logs/$target.log" && cat "$fuzz_logs/$target.log"; done
  echo "a fuzz target failed" >&2
  exit 1
fi
rm -rf "$fuzz_logs"
echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEYRA_SANITIZE=ON "$strict"
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
echo "== thread sanitizer build (Qt-free code)"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEYRA_SANITIZE=thread -DVEYRA_GUI=OFF "$strict"
cmake --build build-tsan -j"$jobs"
# halt_on_error: a race fails the test that met it, not only the log.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --test-dir build-tsan --output-on-failure -j"$jobs"
echo "== Windows build under Wine"
# The normal build's veyractl and veyra-hostsim are the Linux side of each row.
VEYRA_HOST_BUILD=build bash tools/test-windows.sh
