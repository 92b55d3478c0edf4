#!/usr/bin/env bash
# Installs what is missing, builds the program (release) and runs it with the given arguments.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/release"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target tappomat | grep -v '^\[' || true
exec "$build/tappomat" "$@"
