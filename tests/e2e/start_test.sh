#!/usr/bin/env bash
# Starting Vorn: two starts a fraction of a second apart make one Vorn (one
# process, one main window, one run of a corner's action); another program's
# window titled "Vorn" (a folder of that name) keeps no Vorn from starting
# and is left alone by a second start; a /folder that
# cannot be used writes no settings file anywhere; a Vorn.ini that is a link
# to a synced copy stays a link, and the copy gets the save.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "starting"

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Actions, Plain]"
  echo "Upper left corner=Log corner"
  echo "[Custom actions]"
  echo "Name 1=Log corner"
  echo "ActionA 1=$(e2e_log_command corner entered)"
} | e2e_write_ini

# --- two starts at once
e2e_move 960 540
(cd "$E2E_WORK" && exec wine "$E2E_VORN_EXE" >/dev/null 2>&1) &
one=$!
sleep 0.3
(cd "$E2E_WORK" && exec wine "$E2E_VORN_EXE" >/dev/null 2>&1) &
other=$!
one_ended() { ! kill -0 "$one" 2>/dev/null || ! kill -0 "$other" 2>/dev/null; }
e2e_check "of two starts at once, one ends" e2e_wait_until 60 one_ended
if kill -0 "$one" 2>/dev/null; then E2E_VORN_PID=$one; else E2E_VORN_PID=$other; fi
one_window() { [ "$(e2e_probe count Vorn)" = 1 ]; }
e2e_check "the other runs on with the only main window" e2e_wait_until 30 one_window
e2e_check "and shows it, as a second start does" e2e_wait_until 10 e2e_window_is Vorn visible
e2e_check "a corner runs its action" e2e_wait_until_ready 0 0 corner.log entered
e2e_move 960 540
sleep 2
e2e_check "once" test "$(e2e_count_lines corner.log entered)" = 1
e2e_stop_vorn

# --- another program's window titled "Vorn", as a folder of that name is
rm -f "$E2E_WORK/corner.log"
wine "$E2E_PROBE_EXE" titled 300 Vorn >/dev/null 2>&1 &
titled=$!
titled_open() { [ "$(e2e_probe count Vorn)" = 1 ]; }
e2e_wait_until 60 titled_open || true
(cd "$E2E_WORK" && exec wine "$E2E_VORN_EXE" >/dev/null 2>&1) &
E2E_VORN_PID=$!
e2e_check "Vorn starts while another window is titled Vorn" e2e_wait_until_ready 0 0 corner.log entered
e2e_move 960 540
# A second start shows the running Vorn and ends; the other window stays as it was.
(cd "$E2E_WORK" && exec wine "$E2E_VORN_EXE" >/dev/null 2>&1) &
second=$!
second_ended() { ! kill -0 "$second" 2>/dev/null; }
e2e_check "a second start ends" e2e_wait_until 60 second_ended
e2e_check "after showing the running Vorn's window" e2e_wait_until 10 e2e_window_is Vorn visible
e2e_check "while the other window titled Vorn is still open" kill -0 "$titled"
e2e_stop_vorn

# --- a /folder that cannot be used
start="$E2E_WORK/started here"
mkdir -p "$start"
(cd "$start" && exec wine "$E2E_VORN_EXE" /folder 'C:\no such folder\' >/dev/null 2>&1) &
E2E_VORN_PID=$!
# Nothing was read: a first run, whose window shows.
e2e_check "a missing /folder starts with the defaults" e2e_wait_until 60 e2e_window_is Vorn visible
e2e_click_control Vorn 1901 || true
xdotool key Right
sleep 2
e2e_check "and writes no settings file where it started" test ! -e "$start/Vorn.ini"
e2e_check "nor anywhere else" test -z "$(find "$E2E_WORK" -name 'Vorn.ini*' ! -path "$E2E_WORK/Vorn.ini")"
e2e_stop_vorn

# --- Vorn.ini a link to a synced copy
linked="$E2E_WORK/linked"
mkdir -p "$linked" "$E2E_WORK/synced"
cp "$E2E_WORK/Vorn.ini" "$E2E_WORK/synced/Vorn.ini"
ln -s "$E2E_WORK/synced/Vorn.ini" "$linked/Vorn.ini"
(cd "$linked" && exec wine "$E2E_VORN_EXE" >/dev/null 2>&1) &
E2E_VORN_PID=$!
e2e_wait_until 60 e2e_window_is Vorn hidden || true
e2e_wait_for_tray || true
e2e_tray_menu 0 5 || true
e2e_wait_until 15 e2e_window_is Vorn visible || true
e2e_click_control Vorn 1901 || true
xdotool key Right
e2e_check "a save through a link reaches the copy" \
  e2e_wait_for_ini_value 10 Settings "Current page" 1 "$E2E_WORK/synced/Vorn.ini"
e2e_check "and the link stays a link" test -L "$linked/Vorn.ini"
e2e_check "with nothing left beside the copy" test "$(ls "$E2E_WORK/synced")" = "Vorn.ini"

e2e_finish
