#!/usr/bin/env bash
# Installs what is missing, builds the program and the skin tool (release) and runs the
# program with the given arguments.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/release"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAPPOMAT_TESTS=OFF >/dev/null
fi
# Quiet on success; the whole build log on failure.
if ! log=$(cmake --build "$build" --target tappomat tappomat-skin 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
exec "$build/tappomat" "$@"
