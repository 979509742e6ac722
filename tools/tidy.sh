#!/usr/bin/env bash
# clang-tidy over the Qt-free code (link/, session/, the features' codecs, backup/, hostsim/, cli/)
# with the checks in .clang-tidy, which find bugs rather than matters of taste. Exit 1 on any
# finding. Needs a configured build with compile_commands.json (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bash tools/install-deps.sh clang-tidy
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json: configure $build first" >&2; exit 2; }
# The generated tables and the Windows-only files are not in a Linux build's database.
mapfile -t files < <(git ls-files 'link/*.cpp' 'session/*.cpp' 'hostsim/*.cpp' 'cli/*.cpp' 'backup/*.cpp' \
  'features/*/*Codec*.cpp' | grep -v 'Win32' | while read -r f; do
    grep -q "\"file\": \"$PWD/$f\"" "$build/compile_commands.json" && echo "$f"; done)
echo "clang-tidy: ${#files[@]} files"
log=$(mktemp)
db=$(mktemp -d)
trap 'rm -rf "$log" "$db"' EXIT
# The compiler's own warnings are the build's business (with -Werror they would stop clang here,
# and clang's -Wconversion is wider than GCC's): -w below leaves clang-tidy its own checks.
# A source the tests compile too is listed twice; the tests' entry names their precompiled header,
# which clang cannot read (GCC made it). Each file's own target's entry only.
python3 - "$build/compile_commands.json" "$db/compile_commands.json" <<'PY'
import json, sys
entries = [e for e in json.load(open(sys.argv[1])) if 'tests/CMakeFiles/' not in e['command']]
json.dump(entries, open(sys.argv[2], 'w'))
PY
printf '%s\n' "${files[@]}" |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$db" --quiet --extra-arg=-w 2>/dev/null >"$log" || true
if grep -q "warning:\|error:" "$log"; then
  grep -A3 "warning:\|error:" "$log"
  echo "clang-tidy: $(grep -c 'warning:\|error:' "$log") findings"
  exit 1
fi
echo "clang-tidy: clean"
