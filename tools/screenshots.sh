#!/usr/bin/env bash
# Saves a picture of every window (each page of a paged one) under a virtual X server with a
# 2560x1600 screen, at scale 1 and 2, into screenshots/scale1 and screenshots/scale2. The same run
# checks that no text is cut. Then the program itself, on its demo host, walks through every window
# in each language (tools/screenshot-steps.py writes the steps): a picture after every press of a
# button that talks to the host, into screenshots/scale<N>/<language>/walk-*.png. Questions are
# answered No.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh xvfb xauth
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target veyra_gui_tests veyra-setup
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The program's own time-out, as an installer has it: the pictures show the waits a user sees.
status=0
for scale in 1 2; do
  rm -rf "screenshots/scale$scale"
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale VEYRA_SCREENSHOT_DIR="$PWD/screenshots/scale$scale" \
    xvfb-run -a -s "-screen 0 2560x1600x24" build/tests/veyra_gui_tests --gtest_filter='WindowLayoutTest.*' || status=1
  for lang in original ru en; do
    out=$PWD/screenshots/scale$scale/$lang
    mkdir -p "$out"
    python3 tools/screenshot-steps.py "$lang" "$out/walk-" COM >"$scratch/script-$lang.txt"
    # The remembered port and window places stay in the scratch folder.
    HOME=$scratch XDG_CONFIG_HOME=$scratch/config VEYRA_CONFIG_PATH=$scratch/config.ini \
      VEYRA_TEST_SCRIPT=$scratch/script-$lang.txt QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale \
      timeout 300 xvfb-run -a -s "-screen 0 2560x1600x24" build/app/veyra-setup --demo --lang "$lang" 2>&1 |
      grep -v ' done: ' || true
    rc=${PIPESTATUS[0]}
    [ "$rc" = 0 ] || { echo "veyra-setup --demo --lang $lang at scale $scale ended with $rc" >&2; status=1; }
    echo "$out: $(ls "$out"/walk-* 2>/dev/null | wc -l) pictures of the walk"
  done
done
ls screenshots/scale1 screenshots/scale2
exit $status
