#!/usr/bin/env bash
# Instant response: a brush into a corner and straight out again, 40 ms there
# against the poll's 500, runs the corner's command at every brush, each
# counted. How soon a corner answers is no concern of this test: that is
# measured by bench/win_answer_bench. Quiet while dragging: a corner reached
# with the left button held runs nothing, and the next visit without it runs.
#
# Under X, Wine hears of the pointer only over its own windows: a window over
# the whole screen (the probe's full-screen window) stands for the Windows
# desktop, which is everywhere under the pointer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "instant response"

{
  echo "[Settings]"
  echo "First run=False"
  echo "Instant response=True"
  echo "Quiet while dragging=True"
  echo "Poll interval=500"
  echo "[Actions, Plain]"
  echo "Upper left corner=Log corner"
  echo "Lower right corner=Log drag"
  echo "[Custom actions]"
  echo "Name 1=Log corner"
  echo "ActionA 1=$(e2e_log_command corner entered)"
  echo "Name 2=Log drag"
  echo "ActionA 2=$(e2e_log_command drag entered)"
} | e2e_write_ini

e2e_move 960 540
e2e_start_vorn
e2e_wait_for_tray || true
wine "$E2E_PROBE_EXE" fullscreen 300 >/dev/null 2>&1 &
cover=$!
e2e_wait_until 30 e2e_window_is "Full screen" visible || true
e2e_check "the corner answers" e2e_wait_until_ready 0 0 corner.log entered
e2e_move 960 540
sleep 1

more_lines_than() { [ "$(e2e_count_lines "$1" "$2")" -gt "$3" ]; }  # file text count
brushes=5
start=$(e2e_count_lines corner.log entered)
answered=0
for brush in $(seq "$brushes"); do
  before=$(e2e_count_lines corner.log entered)
  sleep 0.3
  # Into the corner and back within one xdotool, so that nothing but the
  # 40 ms comes between. (A --sync move to where the pointer already is
  # would wait for a movement that never comes.)
  xdotool mousemove 0 0 sleep 0.04 mousemove 960 540
  # The command's own start takes its time; this waits for it, it does not time it.
  if e2e_wait_until 20 more_lines_than corner.log entered "$before"; then
    answered=$((answered + 1))
  else
    echo "  (brush $brush: no answer)"
  fi
done
sleep 1  # for any second answer to a brush to show
e2e_check "each of $brushes brushes shorter than a poll runs the corner" test "$answered" -eq "$brushes"
e2e_check "and runs it once" test "$(e2e_count_lines corner.log entered)" -eq $((start + brushes))

# Dragging into the lower right corner: the button is held in a window of
# Wine's, so every Wine program sees it down.
e2e_move 900 500
xdotool mousedown 1
e2e_move 1200 800
e2e_move 1919 1079
sleep 1.5
e2e_check "a corner reached with the button held runs nothing" test "$(e2e_count_lines drag.log entered)" = 0
xdotool mouseup 1
sleep 1
e2e_check "nor when the button is let go there" test "$(e2e_count_lines drag.log entered)" = 0
e2e_move 960 540
sleep 0.3
e2e_move 1919 1079
e2e_check "the next visit without it runs" e2e_wait_for_line drag.log entered
e2e_move 960 540
kill "$cover" >/dev/null 2>&1 || true

e2e_finish
