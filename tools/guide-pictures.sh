#!/usr/bin/env bash
# Makes the pictures of docs/guide.md anew: every window on the demo host, under a virtual X
# server, into docs/guide/. The machine's own serial ports, config.ini and remembered window
# places stay out of it: the program runs in a scratch folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh xvfb xauth
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target veyra-guide-pictures
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/sys/class/tty" "$scratch/ports"
out="$PWD/docs/guide"
rm -f "$out"/*.png
QT_QPA_PLATFORM=xcb VEYRA_SYSFS_ROOT="$scratch/sys" VEYRA_SERIAL_BY_ID_DIR="$scratch/by-id" \
  XDG_CONFIG_HOME="$scratch/xdg" VEYRA_CONFIG_PATH="$scratch/config.ini" VEYRA_PORTS_DIR="$scratch/ports" \
  xvfb-run -a -s "-screen 0 1600x1000x24" build/tools/guide-pictures/veyra-guide-pictures "$out"
ls "$out"
