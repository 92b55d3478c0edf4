#!/usr/bin/env bash
# Start-up time as a user sees it: from starting the program to its main window being
# viewable, on a private Xvfb, RUNS times (median printed). Needs xwininfo (x11-utils).
#   bash bench/startup_time.sh build/release/tappomat [RUNS]
set -euo pipefail
program=$(realpath "$1")
runs=${2:-10}
data=$(mktemp -d)
# The server picks a free display and writes its number to a pipe.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$data"' EXIT
read -r -t 10 number <&"$fd" || { echo "startup_time: Xvfb did not start" >&2; exit 1; }
display=":$number"
times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  DISPLAY=$display "$program" --data-dir "$data" >/dev/null 2>"$data/stderr" &
  pid=$!
  until DISPLAY=$display xwininfo -name "Tappomat v1.5" 2>/dev/null | grep -q "IsViewable"; do
    kill -0 "$pid" 2>/dev/null || { echo "startup_time: the program ended:" >&2; cat "$data/stderr" >&2; exit 1; }
    (( ($(date +%s%N) - start) / 1000000 < 10000 )) || { echo "startup_time: no window in 10 s" >&2; kill "$pid"; exit 1; }
  done
  end=$(date +%s%N)
  times+=($(((end - start) / 1000000)))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median " a[int((NR+1)/2)] " ms (min " a[1] ", max " a[NR] ") over " NR " runs"}'
