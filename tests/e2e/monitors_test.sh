#!/usr/bin/env bash
# A zone's own wait and a monitor's own assignment, written by hand in
# Vorn.ini. The lower right corner waits five seconds: a brush into it runs
# nothing, a stay runs it; the lower left corner, without a wait of its own,
# answers a brush at once. Wine's one monitor has its own upper left corner,
# which runs instead of the shared one.
#
# Under X, Wine hears of the pointer only over its own windows: a window over
# the whole screen (the probe's full-screen window) stands for the desktop.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "monitors and waits"

path=$(e2e_probe monitors | head -n 1 | cut -d' ' -f2-)
e2e_check "the monitor is known by its device path" test -n "$path"

{
  echo "[Settings]"
  echo "First run=False"
  echo "Instant response=True"
  echo "[Dwell times]"
  echo "Lower right corner=5000"
  echo "[Actions, Plain]"
  echo "Upper left corner=Log shared"
  echo "Lower left corner=Log left"
  echo "Lower right corner=Log right"
  echo "[Monitors]"
  echo "Monitor 1=$path"
  echo "Name 1=The only one"
  echo "[Actions, Plain, Monitor 1]"
  echo "Upper left corner=Log own"
  echo "[Custom actions]"
  n=0
  for tag in shared own left right; do
    n=$((n + 1))
    echo "Name $n=Log $tag"
    echo "ActionA $n=$(e2e_log_command "$tag" entered)"
  done
} | e2e_write_ini

e2e_move 960 540
e2e_start_vorn
e2e_wait_for_tray || true
wine "$E2E_PROBE_EXE" fullscreen 300 >/dev/null 2>&1 &
cover=$!
e2e_wait_until 30 e2e_window_is "Full screen" visible || true
e2e_check "the corner without a wait answers" e2e_wait_until_ready 0 1079 left.log entered
e2e_move 960 540
sleep 1

more_lines_than() { [ "$(e2e_count_lines "$1" "$2")" -gt "$3" ]; }  # file text count

# A brush into the waiting corner, then one into its neighbour: the
# neighbour's answer shows that the brushes were seen.
before=$(e2e_count_lines left.log entered)
xdotool mousemove 1919 1079 sleep 0.04 mousemove 960 540
sleep 0.3
xdotool mousemove 0 1079 sleep 0.04 mousemove 960 540
e2e_check "a brush into the corner without a wait runs it" e2e_wait_until 20 more_lines_than left.log entered "$before"
sleep 6  # longer than the wait: a brush that had started it would have run by now
e2e_check "a brush into the corner that waits runs nothing" test "$(e2e_count_lines right.log entered)" = 0

e2e_move 1919 1079
e2e_check "staying in the corner that waits runs it" e2e_wait_for_line right.log entered 30
e2e_move 960 540
sleep 0.3

e2e_move 0 0
e2e_check "the monitor's own corner runs" e2e_wait_for_line own.log entered 20
e2e_move 960 540
sleep 1
e2e_check "instead of the shared one" test "$(e2e_count_lines shared.log entered)" = 0

kill "$cover" 2>/dev/null || true
e2e_check "Vorn is still running" e2e_vorn_running
e2e_finish
