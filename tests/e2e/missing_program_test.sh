#!/usr/bin/env bash
# A custom action naming a program that does not exist fails quietly: no
# error box appears, and the edges go on working.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "a missing program"

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Actions, Plain]"
  echo "Left side=Missing"
  echo "Right side=Log"
  echo "[Custom actions]"
  echo "Name 1=Missing"
  echo "ActionA 1=no-such-program-anywhere.exe /x"
  echo "Name 2=Log"
  echo "ActionA 2=$(e2e_log_command right enter)"
} | e2e_write_ini

vorn_windows() { { xdotool search --onlyvisible --class vorn.exe 2>/dev/null || true; } | wc -l; }
right_entered_twice() { [ "$(e2e_count_lines right.log enter)" -ge 2 ]; }

e2e_move 960 540
e2e_start_vorn
e2e_check "Vorn runs" e2e_wait_until_ready 1919 540 right.log enter
e2e_move 960 540
before=$(vorn_windows)

e2e_move 0 540
sleep 3  # six polls: time for an error box to show
e2e_check "no window appears for the failed launch" test "$(vorn_windows)" -eq "$before"
e2e_move 960 540
sleep 1
e2e_move 1919 540
e2e_check "the next zone still runs its action" \
  e2e_wait_until 15 right_entered_twice
e2e_move 960 540

e2e_finish
