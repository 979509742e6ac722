#!/usr/bin/env bash
# Installs what is missing, builds, and starts veyra-setup against its built-in simulated host.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target veyra-setup veyractl veyra-hostsim
exec build/app/veyra-setup --demo "$@"
