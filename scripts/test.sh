#!/usr/bin/env bash
# Installs what is missing, builds everything with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (tests, fuzz targets, benchmarks) and runs every test,
# short fuzzing runs included. Extra arguments go to ctest (e.g. -R Region).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/test"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTAPPOMAT_SANITIZE=ON -DTAPPOMAT_FUZZ=ON >/dev/null
fi
# Quiet on success; the whole build log on failure.
if ! log=$(cmake --build "$build" 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
cd "$build"
ctest --output-on-failure --timeout 600 -j "$(nproc)" "$@"
