#!/usr/bin/env bash
# Puts Qt 6.4.2 for 64-bit Windows (qtbase and qtsvg, shared, MinGW-w64) into a cache outside the
# tree and prints its prefix on the last line. Debian ships no Qt for Windows; this one is built
# with Debian's MinGW-w64 from Debian's qtbase source and the qtsvg tarball in ../shared/qt-windows/.
#   VEYRA_QT_WINDOWS_DIR   the prefix (default ~/.cache/veyra-setup/qt6.4.2-mingw)
#   VEYRA_QT_SHARED_DIR    where the qtsvg tarball and the prebuilt copy are (default
#                          ../shared/qt-windows beside the repository)
#   VEYRA_QT_FROM_SOURCE=1 builds from the sources even when the prebuilt copy would do
# The prefix holds a stamp of the recipe below; when it matches, nothing is done. Otherwise the
# prebuilt copy is unpacked when its checksum is the one this recipe made, else Qt is built from
# the sources: about 30 minutes on 2 cores.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
prefix=$(realpath -m "${VEYRA_QT_WINDOWS_DIR:-$HOME/.cache/veyra-setup/qt6.4.2-mingw}")
shared=$(realpath -m "${VEYRA_QT_SHARED_DIR:-$root/../shared/qt-windows}")

# The recipe: whatever changes the result is in this text, and its hash is the stamp.
recipe=$(
  cat <<'RECIPE'
qtbase: Debian source package qt6-base 6.4.2+dfsg-10, orig tarball only (Debian's patches not applied)
qtbase-orig-sha256: 4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
qtsvg: qtsvg-everywhere-src-6.4.2.tar.xz
qtsvg-sha256: 522dad4b3cf6d01d0c00e414b0df9691e0a96b78d019d4e8a092f1892721a271
compiler: Debian g++-mingw-w64-x86-64-posix (GCC 12, POSIX threads)
host-tools: Debian qt6-base-dev qt6-base-dev-tools 6.4.2
toolchain:
  set(CMAKE_SYSTEM_NAME Windows)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
  set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
  set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
  set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
  set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
  set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
qtbase-options:
  -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_vulkan=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF
qtsvg-options: <prefix>/bin/qt-cmake -G Ninja -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
RECIPE
)
stamp=$(printf '%s\n' "$recipe" | sha256sum | cut -d' ' -f1)
# The prebuilt copy in ../shared/qt-windows/ came from the recipe with this stamp.
prebuilt_name=qt6.4.2-mingw-x86_64.tar.xz
prebuilt_sha256=4325ebf20ba2a9c7685d71c41578a598b9a005b49b50d84186cd1535244c6323
prebuilt_stamp=e3a28b1918dc66b4a2ae372c6bb535ce81411fdd579a7a7d19e7b634d656542f

if [ "$(cat "$prefix/veyra-recipe.sha256" 2>/dev/null)" = "$stamp" ]; then
  echo "Qt for Windows is up to date in $prefix"
  echo "$prefix"
  exit 0
fi

# A prefix holds one recipe's Qt; the stamp is written last, so a half-made prefix has none.
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
work=$(mktemp -d "$(dirname "$prefix")/qt-work.XXXXXX")
trap 'rm -rf "$work"' EXIT

checksum_listed() {  # checksum_listed FILE: its sha256 is the one SHA256SUMS beside it gives
  local listed
  listed=$(awk -v f="$(basename "$1")" '$2 == f || $2 == "*" f { print $1 }' "$(dirname "$1")/SHA256SUMS" 2>/dev/null)
  [ -n "$listed" ] && [ "$(sha256sum "$1" | cut -d' ' -f1)" = "$listed" ]
}

prebuilt=$shared/$prebuilt_name
if [ "${VEYRA_QT_FROM_SOURCE:-0}" != 1 ] && [ "$stamp" = "$prebuilt_stamp" ] && [ -f "$prebuilt" ] &&
  checksum_listed "$prebuilt" && [ "$(sha256sum "$prebuilt" | cut -d' ' -f1)" = "$prebuilt_sha256" ]; then
  echo "== unpacking the prebuilt Qt for Windows ($prebuilt)"
  tar -xJf "$prebuilt" -C "$work"
  mv "$work/qt6-mingw" "$prefix"
else
  echo "== building Qt for Windows from the sources (about 30 minutes on 2 cores)"
  bash tools/install-deps.sh g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils
  svg_tarball=$shared/qtsvg-everywhere-src-6.4.2.tar.xz
  [ -f "$svg_tarball" ] && [ "$(sha256sum "$svg_tarball" | cut -d' ' -f1)" = \
    "$(sed -n 's/^qtsvg-sha256: //p' <<<"$recipe")" ] ||
    { echo "build-qt-windows: $svg_tarball is missing or not the one the recipe names" >&2; exit 1; }

  # apt-get source needs a deb-src entry; one is added beside the system's own, for its mirror.
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  if ! apt-get source --print-uris qt6-base=6.4.2+dfsg-10 >/dev/null 2>&1; then
    uris=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
    printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
      "${uris:-http://deb.debian.org/debian}" /usr/share/keyrings/debian-archive-keyring.gpg |
      $SUDO tee /etc/apt/sources.list.d/veyra-deb-src.sources >/dev/null
    $SUDO apt-get update -qq
  fi
  (cd "$work" && apt-get source --download-only qt6-base=6.4.2+dfsg-10)
  orig=$work/qt6-base_6.4.2+dfsg.orig.tar.xz
  [ "$(sha256sum "$orig" | cut -d' ' -f1)" = "$(sed -n 's/^qtbase-orig-sha256: //p' <<<"$recipe")" ] ||
    { echo "build-qt-windows: $orig is not the qtbase the recipe names" >&2; exit 1; }
  mkdir -p "$work/qtbase" "$work/qtsvg"
  tar -xJf "$orig" -C "$work/qtbase" --strip-components=1
  tar -xJf "$svg_tarball" -C "$work/qtsvg" --strip-components=1
  sed -n '/^toolchain:$/,/^qtbase-options:$/p' <<<"$recipe" | sed '1d;$d;s/^  //' >"$work/mingw.cmake"

  read -ra base_options <<<"$(sed -n '/^qtbase-options:$/,/^qtsvg-options:/p' <<<"$recipe" | sed '1d;$d' | tr '\n' ' ')"
  host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  start=$SECONDS
  cmake -S "$work/qtbase" -B "$work/qtbase-build" "${base_options[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" -DCMAKE_INSTALL_PREFIX="$work/prefix"
  cmake --build "$work/qtbase-build" -j"$(nproc)"
  cmake --install "$work/qtbase-build"
  echo "== qtbase took $((SECONDS - start)) s"
  "$work/prefix/bin/qt-cmake" -S "$work/qtsvg" -B "$work/qtsvg-build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${host[@]}"
  cmake --build "$work/qtsvg-build" -j"$(nproc)"
  cmake --install "$work/qtsvg-build"
  echo "== qtbase and qtsvg took $((SECONDS - start)) s"
  mv "$work/prefix" "$prefix"
fi
# Qt's CMake files find everything relative to themselves, so the prefix may move.
[ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ] && [ -f "$prefix/bin/Qt6Svg.dll" ] ||
  { echo "build-qt-windows: $prefix holds no usable Qt" >&2; exit 1; }
printf '%s\n' "$stamp" >"$prefix/veyra-recipe.sha256"
echo "Qt for Windows in $prefix"
echo "$prefix"
