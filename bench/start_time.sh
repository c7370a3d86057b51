#!/usr/bin/env bash
# How long a first start takes: from the launch of Vorn.exe under Wine to its
# settings window on the screen, against Wine's notepad to its window, in
# turns in the same run. Prints each program's times and their medians.
#   bench/start_time.sh [RUNS]     (default 7; VORN_EXE, else the release
#                                   build when there is one, else the
#                                   Windows build)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"

runs=${1:-7}
install_packages
exe=${VORN_EXE:-$VORN_ROOT/dist/Vorn.exe}
if [ ! -f "$exe" ]; then
  build_windows
  exe=$VORN_ROOT/build/windows/Vorn.exe
fi
ensure_wine_prefix
trap stop_started EXIT
start_display
wineserver -p >/dev/null 2>&1 || true
wine cmd /c exit >/dev/null 2>&1 || true  # Wine's own start-up out of the way

now_ms() { date +%s%3N; }
viewable() { # window name
  local window
  for window in $(xdotool search --name "$1" 2>/dev/null); do
    xwininfo -id "$window" 2>/dev/null | grep -q IsViewable && return 0
  done
  return 1
}
# Milliseconds from the launch to a viewable window of the name.
time_start() { # folder name program...
  local folder=$1 name=$2
  shift 2
  local start pid
  start=$(now_ms)
  (cd "$folder" && exec wine "$@" >/dev/null 2>&1) &
  pid=$!
  until viewable "$name"; do
    [ $(($(now_ms) - start)) -gt 20000 ] && break
    sleep 0.005
  done
  echo $(($(now_ms) - start))
  # The program ends; the Wine server stays, as it does on a desktop.
  kill "$pid" >/dev/null 2>&1 || true
  wait "$pid" >/dev/null 2>&1 || true
  while viewable "$name"; do sleep 0.05; done
}
median() { tr ' ' '\n' | grep . | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

vorn_times=""
notepad_times=""
for run in $(seq "$runs"); do
  work=$(mktemp -d)
  vorn_times="$vorn_times $(time_start "$work" '^Vorn$' "$exe")"
  notepad_times="$notepad_times $(time_start "$work" '^Untitled - Notepad$' notepad)"
  rm -rf "$work"
done
vorn=$(echo "$vorn_times" | median)
notepad=$(echo "$notepad_times" | median)
say "first start, launch to window on screen ($runs runs each)"
echo "Vorn.exe:$vorn_times ms (median $vorn)"
echo "notepad: $notepad_times ms (median $notepad)"
awk -v v="$vorn" -v n="$notepad" 'BEGIN { printf "Vorn takes %.2f times as long as notepad\n", v / n }'
