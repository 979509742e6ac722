#!/usr/bin/env bash
# Installs, from Debian packages, whatever building and testing veyra-setup needs and is missing,
# and any further packages named as arguments.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libqt6opengl6-dev qt6-svg-dev qt6-qpa-plugins
  libgl-dev libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format git
  # veyractl parses its arguments with CLI11 and writes --json with nlohmann-json (both header-only).
  libcli11-dev nlohmann-json3-dev
  # lupdate and lrelease for the English catalogue; Qt's own Russian texts for a Russian locale.
  qt6-l10n-tools qt6-translations-l10n
  # The Chinese error texts need a CJK font (the .deb depends on the same one); the rest checks
  # what `cmake --install` and `cpack -G DEB` produce.
  fonts-wqy-microhei desktop-file-utils appstream man-db dpkg-dev file
  # The windows under a real window manager, on a virtual X server, driven by xdotool; the
  # network ports against a real serial server on 127.0.0.1.
  xvfb xauth openbox xdotool x11-utils ser2net "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
