#!/usr/bin/env bash
# Makes the pictures of docs/guide.md anew: every window on the demo host, under a virtual X
# server, into docs/guide/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh xvfb xauth
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target veyra_gui_tests
out="$PWD/docs/guide"
rm -f "$out"/*.png
QT_QPA_PLATFORM=xcb VEYRA_GUIDE_DIR="$out" \
  xvfb-run -a -s "-screen 0 1600x1000x24" build/tests/veyra_gui_tests --gtest_filter='GuidePicturesTest.*'
ls "$out"
