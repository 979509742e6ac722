#!/usr/bin/env bash
# Checks what a build installs and packages: installs it into a scratch prefix, validates the
# desktop entry, the AppStream metainfo and the man pages, runs every installed program's
# --version (veyra-setup's without a display), tries the bash completion, and builds the .deb and
# shows its dependencies. Usage: tools/check-package.sh [BUILD_DIR] (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() {
  echo "check-package: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$stage" >/dev/null
share=$stage/share
desktop-file-validate "$share"/applications/*.desktop
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml
for page in "$share"/man/man1/*.1*; do
  # man prints roff problems on standard error and still exits 0.
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
echo "desktop entry, metainfo and $(ls "$share"/man/man1 | wc -l) man pages valid"
# The menu's icon is the picture the windows carry, not a copy of it that can drift.
cmp -s "$share/icons/hicolor/scalable/apps/veyra-setup.svg" ui/resources/icons/app.svg ||
  fail "the installed icon is not ui/resources/icons/app.svg, the windows' own"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for program in veyra-setup veyractl veyra-hostsim; do
  printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/bin/$program" --version)
  [ "$printed" = "$program $version" ] || fail "$program --version printed '$printed', not '$program $version'"
done
echo "every program prints version $version"

# The completion with bash-completion's helpers stood in for: commands come from --help, COM
# names from `veyractl ports`.
ports=$stage/ports
mkdir "$ports"
ln -s /dev/null "$ports/COM7"
completions=$(
  PATH=$stage/bin:$PATH VEYRA_PORTS_DIR=$ports bash -c '
    _init_completion() {
      words=("${COMP_WORDS[@]}") cword=$COMP_CWORD cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    }
    _filedir() { :; }
    compopt() { :; }
    source "$1"
    complete_line() {
      COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
      _veyractl
      echo "${COMPREPLY[*]}"
    }
    complete_line veyractl s
    complete_line veyractl --port ""
    complete_line veyractl --port COM7 delete-all ""' _ "$share/bash-completion/completions/veyractl"
)
# The machine's own serial ports may come before COM7.
[[ $completions == $'search send sensors setup setup-set siren-id smarthome-id\n'*'COM7 auto tcp:// rfc2217://'$'\nsensors remotes doorbells --yes' ]] ||
  fail "bash completion gave, for 's', '--port ' and 'delete-all ':"$'\n'"$completions"
echo "bash completion lists commands, ports and arguments"

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/veyra-setup_"$version"_*.deb | head -n 1)
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends|Installed-Size):'
depends=$(dpkg-deb --field "$deb" Depends)
for needed in fonts-wqy-microhei libqt6svg6 libqt6widgets6 libc6; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "$deb does not depend on $needed"
done
dpkg-deb --field "$deb" Description | grep -q dialout || fail "$deb's description does not mention dialout"
echo "$deb: dependencies complete"
