#!/usr/bin/env bash
# Letters typed without Alt in Vorn.exe's settings window are no access keys:
# a "d" with the keyboard on "Add..." of the Custom page deletes no custom
# action (a zone uses it) and leaves Vorn.ini as it was, and an "x" on
# Preview does not end Vorn. A custom action whose key text Vorn cannot read
# keeps its line through a save made by changing the page.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "lone letters"

# No "First run" key: the window shows at the start, on the Custom page.
{
  echo "[Settings]"
  echo "Current page=2"
  echo "[Actions, Plain]"
  echo "Upper left corner=Log"
  echo "[Custom actions]"
  echo "Name 1=Log"
  echo "ActionA 1=$(e2e_log_command log entered)"
  echo "Name 2=Unreadable"
  echo "KeysA 2=Ctrl+Foo"
} | e2e_write_ini

ini_has() { tr -d '\r' < "$E2E_WORK/Vorn.ini" | grep -qxF "$1"; }
# The file as it is once no save is on its way: two reads a second apart agree.
settled_copy() {  # target
  local i
  for i in $(seq 20); do
    cp "$E2E_WORK/Vorn.ini" "$1.a" 2>/dev/null || { sleep 0.5; continue; }
    sleep 1
    cp "$E2E_WORK/Vorn.ini" "$1" 2>/dev/null && cmp -s "$1.a" "$1" && return 0
  done
  return 1
}

e2e_move 960 540
e2e_start_vorn
e2e_check "the settings window shows" e2e_wait_until 60 e2e_window_is Vorn visible
e2e_wait_for_tray 60 || true
xdotool windowactivate --sync "$(xdotool search --name '^Vorn$' | head -n 1)" >/dev/null 2>&1 || true
sleep 1

# A click on the list, then Tab: the keyboard is on "Add...".
e2e_click_control Vorn 1501
xdotool key Tab
settled_copy "$E2E_WORK/before.ini"
xdotool key d
sleep 2
settled_copy "$E2E_WORK/after.ini"
e2e_check "a lone d on Add... leaves Vorn.ini as it was" cmp -s "$E2E_WORK/before.ini" "$E2E_WORK/after.ini"
e2e_check "the custom action is still there" ini_has "Name 1=Log"
e2e_check "and its zone keeps it" ini_has "Upper left corner=Log"
# Were the letter Delete's, its question would be up now; were it Add's, the editor.
e2e_check "no question and no editor opened" \
  test -z "$(xdotool search --name '^(Delete custom action|Custom action)$' 2>/dev/null)"

# From the list again: Add..., Edit..., Copy, Delete and then Preview.
e2e_click_control Vorn 1501
xdotool key Tab Tab Tab Tab Tab
xdotool key x
sleep 3
e2e_check "a lone x on Preview leaves Vorn running" e2e_vorn_running
e2e_check "and its window shown" e2e_window_is Vorn visible

# Ctrl+Tab: the page changes and is saved, with the whole file.
xdotool key ctrl+Tab
e2e_check "the page change is saved" e2e_wait_until 10 ini_has "Current page=3"
settled_copy "$E2E_WORK/saved.ini"
e2e_check "the unreadable key text survives the save" grep -qxF "KeysA 2=Ctrl+Foo" <(tr -d '\r' < "$E2E_WORK/saved.ini")

e2e_finish
