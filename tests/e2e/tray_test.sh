#!/usr/bin/env bash
# The tray icon's menu: Disable stops every dispatch, leaving a zone while
# disabled leaves its ending phase pending for the first zone entered after
# Enable, Open shows the window, and Exit ends the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "tray menu"

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Actions, Plain]"
  echo "Left side=Left log"
  echo "Right side=Right log"
  echo "[Custom actions]"
  echo "Name 1=Left log"
  echo "ActionA 1=$(e2e_log_command left enter)"
  echo "ActionB 1=$(e2e_log_command left leave)"
  echo "Name 2=Right log"
  echo "ActionA 2=$(e2e_log_command right enter)"
  echo "ActionB 2=$(e2e_log_command right leave)"
} | e2e_write_ini

e2e_move 960 540
e2e_start_vorn
e2e_check "Vorn runs" e2e_wait_until_ready 0 540 left.log enter
e2e_move 960 540
e2e_check "enabled: leaving runs the ending" e2e_wait_for_line left.log leave

e2e_check "the tray menu's Disable" e2e_tray_menu 2 5
e2e_move 0 540
e2e_move 0 540
# Nothing may happen now; give the poll a few ticks to prove it.
sleep 2
e2e_check "disabled: entering runs nothing" test "$(e2e_count_lines left.log enter)" -eq 1
e2e_move 960 540
sleep 2
e2e_check "disabled: leaving runs nothing" test "$(e2e_count_lines left.log leave)" -eq 1

# Enter and leave the left side again while disabled, then enable: the pending
# ending runs for the next zone entered.
e2e_move 0 540
sleep 1
e2e_move 960 540
sleep 1
e2e_check "the tray menu's Enable" e2e_tray_menu 2 5
e2e_move 1919 540
e2e_check "after Enable the first zone entered gets the pending ending" e2e_wait_for_line right.log leave
e2e_check "and not its beginning" test "$(e2e_count_lines right.log enter)" -eq 0
e2e_move 960 540
e2e_check "leaving it then runs its ending as usual" e2e_wait_until 15 eval '[ "$(e2e_count_lines right.log leave)" -eq 2 ]'
e2e_move 1919 540
e2e_check "then zones dispatch normally again" e2e_wait_for_line right.log enter
e2e_move 960 540

e2e_check "the tray menu's Open" e2e_tray_menu 0 5
e2e_check "shows the window" e2e_wait_until 10 e2e_window_is Vorn visible
e2e_check "the tray menu's Exit" e2e_tray_menu 4 5
e2e_check "ends the program" e2e_wait_for_exit

e2e_finish
