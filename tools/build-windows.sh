#!/usr/bin/env bash
# Builds the Windows release of veyractl: build-windows/veyractl.exe (MinGW-w64, statically
# linked, runs alone) and build-windows/veyractl-<version>-windows-x64.zip holding it, the default
# config.ini and a short README in Russian and English.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# Wine runs the program once, as a user's first start does, so that it writes its own config.ini.
bash tools/install-deps.sh g++-mingw-w64-x86-64-posix wine64 zip
out=build-windows
cmake -S . -B "$out/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEYRA_GUI=OFF -DVEYRA_TESTS=OFF
cmake --build "$out/build" -j"$(nproc)" --target veyractl
x86_64-w64-mingw32-strip -o "$out/veyractl.exe" "$out/build/cli/veyractl.exe"
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
echo "$out/veyractl.exe and $out/$name.zip"
