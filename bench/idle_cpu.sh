#!/usr/bin/env bash
# The cost of an idle Vorn: Vorn.exe under Wine with the pointer resting in
# no zone, at the default poll interval (500 ms), at the quickest (50 ms) and
# with instant response (also with "Keep a log"); then the cost of a moving pointer, swept without a
# pause for 20 s, with instant response (over a window of Wine's covering
# the screen: under X, Wine hears of the pointer only over its own windows).
# Prints the CPU time Vorn's process and the Wine server used over the stretch.
#   bench/idle_cpu.sh [SECONDS] [moving]
#                                   (default 60; "moving": the moving pointer
#                                   only; VORN_EXE, else the release build
#                                   when there is one, else the Windows build)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

seconds=${1:-60}
install_packages
exe=${VORN_EXE:-$VORN_ROOT/dist/Vorn.exe}
if [ ! -f "$exe" ]; then
  build_windows
  exe=$VORN_ROOT/build/windows/Vorn.exe
fi
probe=$VORN_ROOT/build/windows/tests/vorn_e2e_probe.exe
[ -f "$probe" ] || build_windows
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

measure() {  # label, settings lines, seconds, what to do meanwhile (idle or sweep)
  local label=$1 lines=$2 span=$3 doing=$4 work cover=""
  work=$(mktemp -d)
  printf '[Settings]\r\nFirst run=False\r\n%s' "$lines" > "$work/Vorn.ini"
  xdotool mousemove 960 540
  if [ "$doing" = sweep ]; then
    wine "$probe" fullscreen $((span + 30)) >/dev/null 2>&1 &
    cover=$!
  fi
  (cd "$work" && exec wine "$exe" >/dev/null 2>&1) &
  local pid=$!
  sleep 15  # start-up done, tray icon up
  local vorn_before server_before
  vorn_before=$(cpu_ticks 'Vorn\.exe')
  server_before=$(cpu_ticks '^wineserver|/wineserver')
  if [ "$doing" = sweep ]; then
    # Back and forth across the middle of the screen, never into a zone.
    local end=$((SECONDS + span)) x
    while [ $SECONDS -lt $end ]; do
      for x in $(seq 400 40 1500) $(seq 1500 -40 400); do xdotool mousemove "$x" 540; done
    done
  else
    sleep "$span"
  fi
  local vorn_after server_after
  vorn_after=$(cpu_ticks 'Vorn\.exe')
  server_after=$(cpu_ticks '^wineserver|/wineserver')
  kill "$pid" >/dev/null 2>&1 || true
  [ -n "$cover" ] && kill "$cover" >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
  rm -rf "$work"
  awk -v l="$label" -v s="$span" -v t="$ticks" -v v=$((vorn_after - vorn_before)) -v w=$((server_after - server_before)) \
    'BEGIN { printf "%-26s Vorn.exe %6.2f s CPU in %d s (%.2f %%), wineserver %6.2f s\n", l, v / t, s, 100 * v / t / s, w / t }'
}

say "CPU of $exe"
if [ "${2:-}" != moving ]; then
  measure "idle, poll 500 ms:" $'Poll interval=500\r\n' "$seconds" idle
  measure "idle, poll 50 ms:" $'Poll interval=50\r\n' "$seconds" idle
  measure "idle, instant response:" $'Instant response=True\r\n' "$seconds" idle
  measure "idle, instant, keep a log:" $'Instant response=True\r\nKeep a log=True\r\n' "$seconds" idle
fi
measure "moving, instant response:" $'Instant response=True\r\n' 20 sweep
measure "moving, poll 500 ms:" $'Poll interval=500\r\n' 20 sweep
