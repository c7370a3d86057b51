#!/usr/bin/env bash
# The command line controls the running Vorn: /disable keeps a corner quiet,
# /enable brings it back, /exit ends Vorn; a bad switch shows the switches,
# leaves Vorn running and its file as it was, and ends with code 2.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "command-line switches"

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Actions, Plain]"
  echo "Upper left corner=Corner"
  echo "Right side=Side"
  echo "[Custom actions]"
  echo "Name 1=Corner"
  echo "ActionA 1=$(e2e_log_command corner enter)"
  echo "Name 2=Side"
  echo "ActionA 2=$(e2e_log_command side enter)"
} | e2e_write_ini

# A second start of Vorn.exe with the arguments given; its exit code is the
# function's. Run in the working folder, as a script beside Vorn would.
vorn_with() { (cd "$E2E_WORK" && exec wine "$E2E_VORN_EXE" "$@" >/dev/null 2>&1); }
exit_code_of() {  # expected, arguments...
  local expected=$1 code=0
  shift
  vorn_with "$@" || code=$?
  [ "$code" -eq "$expected" ] || { echo "  (exit code $code, not $expected)"; return 1; }
}
corner_fired() { [ "$(e2e_count_lines corner.log enter)" -ge 1 ]; }

e2e_move 960 540
e2e_start_vorn
e2e_check "Vorn runs" e2e_wait_until_ready 1919 540 side.log enter
e2e_move 960 540
e2e_wait_for_tray

e2e_check "/disable is carried out by the running Vorn (exit code 0)" exit_code_of 0 /disable
e2e_move 0 0
sleep 3  # six polls
e2e_check "the corner stays quiet after /disable" test "$(e2e_count_lines corner.log enter)" -eq 0
e2e_move 960 540
e2e_check "/ENABLE is carried out too (exit code 0)" exit_code_of 0 /ENABLE
# The corner left while off hands its ending to the first zone entered now,
# as after the tray menu's Enable; the next entry runs its beginning.
e2e_move 0 0
sleep 1
e2e_move 960 540
sleep 1
e2e_move 0 0
e2e_check "the corner fires again after /enable" e2e_wait_until 15 corner_fired
e2e_move 960 540

# A bad switch: the message box is found among the visible windows titled
# "Vorn" (the running Vorn's own window is hidden) and closed with Enter, so
# that the start's exit code can be read.
cp "$E2E_WORK/Vorn.ini" "$E2E_WORK/before.ini"
(cd "$E2E_WORK" && exec wine "$E2E_VORN_EXE" /pause >/dev/null 2>&1) &
bad_pid=$!
message_box() { xdotool search --onlyvisible --name '^Vorn$' 2>/dev/null | head -n 1 | grep .; }
e2e_check "a bad switch shows a message" e2e_wait_until 60 eval 'message_box >/dev/null'
box=$(message_box || true)
if [ -n "$box" ]; then
  xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
  xdotool key --window "$box" Return >/dev/null 2>&1 || true
fi
bad_gone() { ! kill -0 "$bad_pid" 2>/dev/null; }
if ! e2e_wait_until 20 bad_gone; then
  echo "  (the message did not close; the start is ended)"
  kill "$bad_pid" >/dev/null 2>&1 || true
fi
bad_code=0
wait "$bad_pid" || bad_code=$?
e2e_check "the bad start ends with code 2" test "$bad_code" -eq 2
e2e_check "the running Vorn keeps running" e2e_vorn_running
e2e_check "its settings file is unchanged, byte for byte" cmp -s "$E2E_WORK/before.ini" "$E2E_WORK/Vorn.ini"

e2e_check "/exit is carried out (exit code 0)" exit_code_of 0 /exit
e2e_check "and the running Vorn has ended" e2e_wait_for_exit 30

# No Vorn running now: /exit does nothing, with code 1, and makes no file.
empty=$(mktemp -d "$E2E_WORK/empty.XXXXXX")
exit_in_empty() { (cd "$empty" && exec wine "$E2E_VORN_EXE" /exit >/dev/null 2>&1); }
code=0
exit_in_empty || code=$?
e2e_check "/exit with no Vorn running ends with code 1" test "$code" -eq 1
e2e_check "and makes no settings file" test ! -e "$empty/Vorn.ini"

e2e_finish
