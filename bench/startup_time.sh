#!/usr/bin/env bash
# Start-up time as a user sees it: from starting the program to its main window being
# viewable, on a private Xvfb, RUNS times (median printed). Needs xwininfo (x11-utils).
#   bash bench/startup_time.sh build/release/tappomat [RUNS]
set -euo pipefail
program=$(realpath "$1")
runs=${2:-10}
display=":$((90 + RANDOM % 50))"
data=$(mktemp -d)
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$data"' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  DISPLAY=$display "$program" --data-dir "$data" >/dev/null 2>&1 &
  pid=$!
  until DISPLAY=$display xwininfo -name "Tappomat v1.5" 2>/dev/null | grep -q "IsViewable"; do :; done
  end=$(date +%s%N)
  times+=($(((end - start) / 1000000)))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median " a[int((NR+1)/2)] " ms (min " a[1] ", max " a[NR] ") over " NR " runs"}'
