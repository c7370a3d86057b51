#!/usr/bin/env bash
# The cost of an idle Vorn: Vorn.exe under Wine with the pointer in no zone,
# at the default poll interval (500 ms) and at the quickest (50 ms). Prints
# the CPU time Vorn's process and the Wine server used over the same stretch.
#   bench/idle_cpu.sh [SECONDS]     (default 60; the release build when there
#                                    is one, else the Windows build)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

seconds=${1:-60}
install_packages
exe=$VORN_ROOT/dist/Vorn.exe
if [ ! -f "$exe" ]; then
  build_windows
  exe=$VORN_ROOT/build/windows/Vorn.exe
fi
ensure_wine_prefix
trap stop_started EXIT
start_display
ticks=$(getconf CLK_TCK)

# User and system time, in clock ticks, of every process whose command line
# matches the pattern.
cpu_ticks() {
  local total=0 pid
  for pid in $(pgrep -f "$1" || true); do
    # Fields 14 and 15, counted after the command name in parentheses.
    total=$((total + $(sed 's/^.*) //' "/proc/$pid/stat" 2>/dev/null | awk '{print $12 + $13}' || echo 0)))
  done
  echo "$total"
}

measure() {  # poll interval
  local work
  work=$(mktemp -d)
  printf '[Settings]\r\nFirst run=False\r\nPoll interval=%s\r\n' "$1" > "$work/Vorn.ini"
  xdotool mousemove 960 540
  (cd "$work" && exec wine "$exe" >/dev/null 2>&1) &
  local pid=$!
  sleep 15  # start-up done, tray icon up
  local vorn_before server_before
  vorn_before=$(cpu_ticks 'Vorn\.exe')
  server_before=$(cpu_ticks '^wineserver|/wineserver')
  sleep "$seconds"
  local vorn_after server_after
  vorn_after=$(cpu_ticks 'Vorn\.exe')
  server_after=$(cpu_ticks '^wineserver|/wineserver')
  kill "$pid" >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
  rm -rf "$work"
  awk -v i="$1" -v s="$seconds" -v t="$ticks" -v v=$((vorn_after - vorn_before)) -v w=$((server_after - server_before)) \
    'BEGIN { printf "poll %3d ms: Vorn.exe %6.2f s CPU in %d s (%.2f %%), wineserver %6.2f s\n", i, v / t, s, 100 * v / t / s, w / t }'
}

say "idle CPU of $exe over $seconds s"
measure 500
measure 50
