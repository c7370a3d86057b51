#!/usr/bin/env bash
# The Windows and Media actions in Vorn.exe: a corner with "Next desktop" and
# one with "Mute" press their keys into the window in front, extended keys
# flagged as a keyboard flags them, and leave nothing held.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "windows and media keys"

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Actions, Plain]"
  echo "Upper left corner=Next desktop"
  echo "Lower right corner=Mute"
  echo "Right side=Ready"
  echo "[Custom actions]"
  echo "Name 1=Ready"
  echo "ActionA 1=$(e2e_log_command ready enter)"
} | e2e_write_ini

e2e_move 960 540
e2e_start_vorn
e2e_check "Vorn runs" e2e_wait_until_ready 1919 540 ready.log enter
e2e_move 960 540

(cd "$E2E_WORK" && exec wine "$E2E_PROBE_EXE" keys 60 keys.log >/dev/null 2>&1) &
recorder=$!
recorder_in_front() { [ "$(e2e_probe foreground)" = "Key recorder" ]; }
e2e_check "a window that records its keys is in front" e2e_wait_until 30 recorder_in_front

keys_after() {  # lines already seen
  [ -f "$E2E_WORK/keys.log" ] || return 0
  tr -d '\r' < "$E2E_WORK/keys.log" | tail -n +"$(($1 + 1))"
}
key_lines() { [ -f "$E2E_WORK/keys.log" ] && tr -d '\r' < "$E2E_WORK/keys.log" | wc -l || echo 0; }
released() { keys_after "$1" | grep -qxF "$2"; }

# Ctrl, Win, Right down; Right up, the harmless key 232 that keeps the Start
# menu shut, Win and Ctrl up.
before=$(key_lines)
e2e_move 0 0
e2e_check "the corner sends Next desktop" e2e_wait_until 15 released "$before" "up 17 plain"
expected=$'down 17 plain\ndown 91 extended\ndown 39 extended\nup 39 extended\ndown 232 plain\nup 232 plain\nup 91 extended\nup 17 plain'
got=$(keys_after "$before")
e2e_check "as Ctrl+Win+Right, Win and Right extended, then the guard" test "$got" = "$expected"
[ "$got" = "$expected" ] || printf '  got:\n%s\n' "$got"
e2e_move 960 540
sleep 1

before=$(key_lines)
e2e_move 1919 1079
e2e_check "the other corner sends Mute" e2e_wait_until 15 released "$before" "up 173 extended"
got=$(keys_after "$before")
e2e_check "as the mute key, extended" test "$got" = $'down 173 extended\nup 173 extended'
[ "$got" = $'down 173 extended\nup 173 extended' ] || printf '  got:\n%s\n' "$got"
e2e_move 960 540

kill "$recorder" >/dev/null 2>&1 || true
e2e_finish
