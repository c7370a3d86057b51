#!/usr/bin/env bash
# Custom actions that press keys, in Vorn.exe: a corner whose action holds
# Alt+Tab keeps Alt down while the pointer rests there and lets it go (then
# presses its ending's F5) when it leaves; another corner presses Win+Shift+S
# at once. Each reaches the window in front as typed, with nothing left down.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "custom actions that press keys"

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Actions, Plain]"
  echo "Upper left corner=Switcher"
  echo "Lower right corner=Snip"
  echo "Right side=Ready"
  echo "[Custom actions]"
  echo "Name 1=Ready"
  echo "ActionA 1=$(e2e_log_command ready enter)"
  echo "Name 2=Switcher"
  echo "KeysA 2=Alt+Tab"
  echo "KeysB 2=F5"
  echo "Hold keys 2=True"
  echo "Name 3=Snip"
  echo "KeysA 3=win + shift + s"
} | e2e_write_ini

e2e_move 960 540
e2e_start_vorn
e2e_check "Vorn runs" e2e_wait_until_ready 1919 540 ready.log enter
e2e_move 960 540

(cd "$E2E_WORK" && exec wine "$E2E_PROBE_EXE" keys 90 keys.log >/dev/null 2>&1) &
recorder=$!
recorder_in_front() { [ "$(e2e_probe foreground)" = "Key recorder" ]; }
e2e_check "a window that records its keys is in front" e2e_wait_until 30 recorder_in_front

keys_after() {  # lines already seen
  [ -f "$E2E_WORK/keys.log" ] || return 0
  tr -d '\r' < "$E2E_WORK/keys.log" | tail -n +"$(($1 + 1))"
}
key_lines() { [ -f "$E2E_WORK/keys.log" ] && tr -d '\r' < "$E2E_WORK/keys.log" | wc -l || echo 0; }
logged() { keys_after "$1" | grep -qxF "$2"; }
modifiers_are() { [ "$(e2e_probe modifiers)" = "$1" ]; }
same() {  # what, expected, got
  e2e_check "$1" test "$3" = "$2"
  [ "$3" = "$2" ] || printf '  got:\n%s\n' "$3"
}

# Alt and Tab down, Tab up, the harmless key (232) that keeps Alt from opening
# a menu on its way up; Alt stays down while the pointer is in the corner.
before=$(key_lines)
e2e_move 0 0
e2e_check "the corner presses Alt+Tab" e2e_wait_until 15 logged "$before" "up 232 plain"
same "Alt and Tab, then the guard" $'down 18 plain\ndown 9 plain\nup 9 plain\ndown 232 plain\nup 232 plain' \
  "$(keys_after "$before")"
e2e_check "Alt stays down while the pointer rests in the corner" modifiers_are alt

before=$(key_lines)
e2e_move 960 540
e2e_check "leaving lets Alt go" e2e_wait_until 15 logged "$before" "up 18 plain"
e2e_check "and presses the ending's F5" e2e_wait_until 15 logged "$before" "up 116 plain"
same "Alt up, then F5" $'up 18 plain\ndown 116 plain\nup 116 plain' "$(keys_after "$before")"
e2e_check "no modifier is left down" modifiers_are none

# Shift, then Win (extended), S, the guard, and up in reverse.
before=$(key_lines)
e2e_move 1919 1079
e2e_check "the other corner presses Win+Shift+S" e2e_wait_until 15 logged "$before" "up 16 plain"
same "as typed, Win extended" \
  $'down 16 plain\ndown 91 extended\ndown 83 plain\nup 83 plain\ndown 232 plain\nup 232 plain\nup 91 extended\nup 16 plain' \
  "$(keys_after "$before")"
e2e_check "nothing is left down" modifiers_are none
e2e_move 960 540

kill "$recorder" >/dev/null 2>&1 || true
e2e_finish
