#!/usr/bin/env bash
# Quiet programs and the log: with notepad listed as a quiet program and in
# front, a brush into a corner runs nothing and leaves a line in Vorn.log
# naming the corner and notepad; with another program in front, the corner
# fires and the line names the action that ran.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "activity log"

{
  echo "[Settings]"
  echo "First run=False"
  echo "Keep a log=True"
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

# A line of Vorn.log that holds every one of the texts given (case aside).
log_has() {
  local file=$E2E_WORK/Vorn.log lines
  [ -f "$file" ] || return 1
  lines=$(tr -d '\r' < "$file")
  for text in "$@"; do
    lines=$(grep -iF -- "$text" <<<"$lines") || return 1
  done
}
e2e_move 960 540
e2e_start_vorn
e2e_check "Vorn answers" e2e_wait_until_ready 1919 540 side.log entered
e2e_move 960 540
e2e_check "the side's action is in the log" e2e_wait_until 15 log_has "Right side" "Entered: ran “Side”"

e2e_start_notepad
e2e_focus_notepad
notepad_in_front() { [ "$(e2e_probe foreground)" = "$E2E_NOTEPAD_TITLE" ]; }
e2e_check "notepad is in front" e2e_wait_until 20 notepad_in_front
e2e_move 0 0
e2e_check "the quiet corner leaves a line naming it and notepad" \
  e2e_wait_until 15 log_has "Upper left corner" "Nothing ran" "Notepad.exe is in front"
e2e_check "the corner stayed quiet" test "$(e2e_count_lines corner.log entered)" = 0
e2e_move 960 540

wine "$E2E_PROBE_EXE" titled 60 "Another program" >/dev/null 2>&1 &
other_pid=$!
other() { xdotool search --name "^Another program\$" 2>/dev/null | head -n 1 | grep .; }
e2e_wait_until 30 other >/dev/null || true
xdotool windowactivate --sync "$(other)" >/dev/null 2>&1 || true
e2e_check "another program is in front" e2e_wait_until 20 test "$(e2e_probe foreground)" = "Another program"
e2e_move 0 0
e2e_check "with it in front the log names the action that ran" \
  e2e_wait_until 15 log_has "Upper left corner" "Entered: ran “Corner”"
e2e_check "the corner fired" e2e_wait_for_line corner.log entered
e2e_move 960 540

# UTF-8 without a mark, each line ending in CR LF.
e2e_check "the log is UTF-8 without a mark" test "$(head -c 3 "$E2E_WORK/Vorn.log" | od -An -tx1 | tr -d ' ')" != efbbbf
e2e_check "every line ends in CR LF" test "$(tr -cd '\n' < "$E2E_WORK/Vorn.log" | wc -c)" = "$(tr -cd '\r' < "$E2E_WORK/Vorn.log" | wc -c)"

kill "$other_pid" 2>/dev/null || true
e2e_check "Vorn is still running" e2e_vorn_running
e2e_finish
