#!/usr/bin/env bash
# Quiet programs: with notepad listed and in front, a corner does not fire;
# with another program's window in front, the same corner does.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "quiet programs"

{
  echo "[Settings]"
  echo "First run=False"
  echo "Quiet programs=Notepad.exe"
  echo "[Actions, Plain]"
  echo "Upper left corner=Corner"
  echo "Right side=Side"
  echo "[Custom actions]"
  echo "Name 1=Corner"
  echo "ActionA 1=$(e2e_log_command corner entered)"
  echo "Name 2=Side"
  echo "ActionA 2=$(e2e_log_command side entered)"
} | e2e_write_ini

corner_fired() { [ "$(e2e_count_lines corner.log entered)" -ge 1 ]; }
e2e_move 960 540
e2e_start_vorn
e2e_check "Vorn answers" e2e_wait_until_ready 1919 540 side.log entered
e2e_move 960 540

e2e_start_notepad
e2e_focus_notepad
notepad_in_front() { [ "$(e2e_probe foreground)" = "$E2E_NOTEPAD_TITLE" ]; }
e2e_check "notepad is in front" e2e_wait_until 20 notepad_in_front
e2e_move 0 0
sleep 3  # longer than a poll: a corner that fired would have logged by now
e2e_check "the corner stays quiet over notepad" test "$(e2e_count_lines corner.log entered)" = 0
e2e_move 960 540

wine "$E2E_PROBE_EXE" titled 60 "Another program" >/dev/null 2>&1 &
other_pid=$!
other() { xdotool search --name "^Another program\$" 2>/dev/null | head -n 1 | grep .; }
e2e_wait_until 30 other >/dev/null || true
xdotool windowactivate --sync "$(other)" >/dev/null 2>&1 || true
e2e_check "another program is in front" e2e_wait_until 20 test "$(e2e_probe foreground)" = "Another program"
e2e_move 0 0
e2e_check "with it in front the corner fires" e2e_wait_until 15 corner_fired
e2e_move 960 540

kill "$other_pid" 2>/dev/null || true
e2e_check "Vorn is still running" e2e_vorn_running
e2e_finish
