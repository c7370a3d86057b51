#!/usr/bin/env bash
# The wheel and a click in a zone. Two notches up on the right side run its
# wheel action twice and never reach the window below; a notch in the middle
# of the screen does. A click in the lower left corner runs its click action
# and the window below sees no press; a brush through the corner runs nothing.
#
# Under X, Wine hears of the buttons and the wheel only over its own windows:
# the probe's window over the whole screen stands for the desktop, and writes
# down every notch and press that reaches it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "the wheel and a click in a zone"

{
  echo "[Settings]"
  echo "First run=False"
  echo "Instant response=True"
  echo "[Actions, Plain]"
  echo "Right side=Log side"
  echo "Lower left corner=No action"
  echo "[Actions, Wheel up]"
  echo "Right side=Log wheel"
  echo "Lower left corner=Log ready"
  echo "[Actions, Click]"
  echo "Lower left corner=Log click"
  echo "[Custom actions]"
  n=0
  for tag in side wheel ready click; do
    n=$((n + 1))
    echo "Name $n=Log $tag"
    echo "ActionA $n=$(e2e_log_command "$tag" ran)"
  done
} | e2e_write_ini

below="$E2E_WORK/below.txt"
: >"$below"
e2e_move 960 540
e2e_start_vorn
e2e_wait_for_tray || true
wine "$E2E_PROBE_EXE" mouse 300 "$(winepath -w "$below" 2>/dev/null)" >/dev/null 2>&1 &
cover=$!
e2e_wait_until 30 e2e_window_is "Mouse recorder" visible || true

below_count() { grep -c "^$1 $2 " "$below" || true; }  # kind x
lines_at_least() { [ "$(e2e_count_lines "$1" "$2")" -ge "$3" ]; }  # file text count

# Entering the side shows that Vorn looked at the pointer there; the hook
# is aimed by the same look.
e2e_check "the right side answers" e2e_wait_until_ready 1919 540 side.log ran
# One notch after the other: two command lines started at once could both
# append to the one log, and one of them lose.
xdotool click 4
e2e_check "a notch up runs the wheel action" e2e_wait_until 20 lines_at_least wheel.log ran 1
xdotool click 4
e2e_check "the second notch runs it again" e2e_wait_until 20 lines_at_least wheel.log ran 2
e2e_move 960 540
xdotool click 4
e2e_check "a notch in the middle reaches the window below" e2e_wait_until 20 test "$(below_count wheel 960)" -ge 1
e2e_check "the side's notches never did" test "$(below_count wheel 1919)" = 0
e2e_check "and ran no more than two" test "$(e2e_count_lines wheel.log ran)" = 2

# A brush through the click corner, then the corner itself: a notch there
# answers once the hook is aimed at it.
xdotool mousemove 0 1079 sleep 0.04 mousemove 960 540
sleep 0.5
e2e_move 0 1079
ready_in_corner() { xdotool click 4; e2e_wait_for_line ready.log ran 1; }
e2e_check "the click corner takes its wheel" e2e_wait_until 30 ready_in_corner
e2e_check "a brush through the click corner ran nothing" test "$(e2e_count_lines click.log ran)" = 0
xdotool click 1
e2e_check "a click in the corner runs its action" e2e_wait_for_line click.log ran 20
e2e_move 960 540
xdotool click 1
e2e_check "a click in the middle reaches the window below" e2e_wait_until 20 test "$(below_count up 960)" -ge 1
e2e_check "the corner's press never did" test "$(below_count down 0)" = 0
e2e_check "nor its release" test "$(below_count up 0)" = 0
e2e_check "the click ran once" test "$(e2e_count_lines click.log ran)" = 1

kill "$cover" 2>/dev/null || true
e2e_check "Vorn is still running" e2e_vorn_running
e2e_finish
