#!/usr/bin/env bash
# Saves a picture of every window (each page of a paged one) under a virtual X server with a
# 2560x1600 screen, at scale 1 and 2, into screenshots/scale1 and screenshots/scale2. The same run
# checks that no text is cut.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh xvfb xauth
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target veyra_gui_tests
status=0
for scale in 1 2; do
  rm -rf "screenshots/scale$scale"
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale VEYRA_SCREENSHOT_DIR="$PWD/screenshots/scale$scale" \
    xvfb-run -a -s "-screen 0 2560x1600x24" build/tests/veyra_gui_tests --gtest_filter='WindowLayoutTest.*' || status=1
done
ls screenshots/scale1 screenshots/scale2
exit $status
