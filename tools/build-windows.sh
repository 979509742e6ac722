#!/usr/bin/env bash
# Builds the Windows release (MinGW-w64, Qt for Windows from tools/build-qt-windows.sh) into
# build-windows/:
#   veyractl.exe and veyractl-<version>-windows-x64.zip: statically linked, runs alone; the zip adds
#     the default config.ini and a short README in Russian and English;
#   veyra-setup-<version>-win64.exe: the installer (CPack's NSIS generator; all users, Program
#     Files, Start menu, Apps & features; silent with /S);
#   veyra-setup-<version>-win64.zip and its folder veyra-setup-<version>-win64/: the same files with
#     a config.ini beside veyra-setup.exe, which makes it a portable copy that keeps its settings there.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# Wine runs veyractl.exe once, as a user's first start does, so that it writes its own config.ini.
bash tools/install-deps.sh g++-mingw-w64-x86-64-posix wine64 zip nsis qt6-base-dev-tools qt6-translations-l10n
qt=$(bash tools/build-qt-windows.sh | tail -1)
out=build-windows
read -ra extra <<<"${VEYRA_WIN_CMAKE_ARGS:-}"  # e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
# VEYRA_WIN_TESTS=ON adds the unit and GUI tests to the same build (tools/test-windows.sh), so
# that the code they share with the programs is compiled once.
tests=${VEYRA_WIN_TESTS:-OFF}
# A build folder configured without Qt's toolchain cannot take it later.
if [ -f "$out/build/CMakeCache.txt" ] && ! grep -q '^QT_CHAINLOAD_TOOLCHAIN_FILE' "$out/build/CMakeCache.txt"; then
  rm -rf "$out/build"
fi
# No debug information: everything shipped is stripped, and it halves the build.
cmake -S . -B "$out/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DVEYRA_GUI=ON -DVEYRA_TESTS="$tests" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "${extra[@]}"
targets=(veyractl veyra-setup)
[ "$tests" = OFF ] || targets+=(veyra_unit_tests veyra_gui_tests)
cmake --build "$out/build" -j"$(nproc)" --target "${targets[@]}"
# With Qt, every program is linked into the build folder itself, beside the DLLs it needs.
x86_64-w64-mingw32-strip -o "$out/veyractl.exe" "$out/build/veyractl.exe"
version=$(sed -n 's/^project(veyra-setup VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

stage=$(mktemp -d)
trap 'WINEPREFIX="$stage/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$stage"' EXIT
name="veyractl-$version-windows-x64"
mkdir -p "$stage/$name"
cp "$out/veyractl.exe" "$stage/$name/"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINEPREFIX="$stage/prefix" WINEDEBUG=-all "$wine" wineboot -i >/dev/null 2>&1
WINEPREFIX="$stage/prefix" WINEDEBUG=-all "$wine" "$stage/$name/veyractl.exe" ports >/dev/null 2>&1 || true
[ -s "$stage/$name/config.ini" ] || { echo "veyractl.exe wrote no config.ini" >&2; exit 1; }
# Notepad and every other Windows reader want CR LF, and older Notepads a BOM to see UTF-8.
printf '\357\273\277' >"$stage/$name/README.txt"
sed 's/$/\r/' >>"$stage/$name/README.txt" <<TEXT
veyractl $version для Windows / for Windows

veyractl настраивает GSM-видеоохранную систему через COM-порт из командной строки.
  veyractl ports                                 порты из реестра Windows
  veyractl --port COM3 --password 1234 arm       поставить на охрану
  veyractl --password 1234 search                найти хост на всех портах
  veyractl --help                                все команды; veyractl help КОМАНДА
config.ini лежит рядом с veyractl.exe, если в эту папку можно писать,
иначе в %APPDATA%\\veyra-setup\\config.ini. Коды выхода: 0 успех, 1 ошибка, 2 неверный вызов.

veyractl configures a GSM video alarm host over a COM port from the command line.
  veyractl ports                                 the ports in the Windows registry
  veyractl --port COM3 --password 1234 arm       arm the system
  veyractl --password 1234 search                find the host on every port
  veyractl --help                                every command; veyractl help COMMAND
config.ini lives beside veyractl.exe when that folder is writable,
else in %APPDATA%\\veyra-setup\\config.ini. Exit status: 0 ok, 1 failure, 2 usage.
TEXT
rm -f "$out/$name.zip"
(cd "$stage" && zip -q -X -r "$root/$out/$name.zip" "$name")
unzip -l "$out/$name.zip"

# The GUI: the folder the install rules lay out (cmake/WindowsPackage.cmake), once as a portable
# copy, once packed by NSIS. The portable copy takes veyractl's config.ini: the same defaults
# from the same code, and its presence is what keeps the settings beside the program.
gui="veyra-setup-$version-win64"
rm -rf "${out:?}/$gui" "$out/$gui.zip" "$out/$gui.exe"
cmake --install "$out/build" --prefix "$root/$out/$gui" --strip
cp "$stage/$name/config.ini" "$out/$gui/"
(cd "$out" && zip -q -X -r "$gui.zip" "$gui")
(cd "$out/build" && cpack -G NSIS -B "$root/$out/build/cpack" >/dev/null)
mv "$out/build/cpack/$gui.exe" "$out/"
unzip -l "$out/$gui.zip" | tail -1
echo "$out/veyractl.exe, $out/$name.zip, $out/$gui.exe, $out/$gui.zip"
