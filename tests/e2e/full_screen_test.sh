#!/usr/bin/env bash
# With the pause on, a full-screen program in front keeps a corner from
# firing until it closes; with the pause off, the corner fires over it.
# Started elsewhere, as at log-on, Vorn uses the folder the command names.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "pause in full screen"

write_settings() {  # True or False
  {
    echo "[Settings]"
    echo "First run=False"
    echo "Pause in full screen=$1"
    echo "[Actions, Plain]"
    echo "Upper left corner=Corner"
    echo "Right side=Side"
    echo "[Custom actions]"
    echo "Name 1=Corner"
    echo "ActionA 1=$(e2e_log_command corner enter)"
    echo "Name 2=Side"
    echo "ActionA 2=$(e2e_log_command side enter)"
  } | e2e_write_ini
}

full_screen_in_front() { [ "$(e2e_probe foreground)" = "Full screen" ]; }
corner_fired() { [ "$(e2e_count_lines corner.log enter)" -ge 1 ]; }
full_screen_pid=""
show_full_screen() {  # seconds
  wine "$E2E_PROBE_EXE" fullscreen "$1" >/dev/null 2>&1 &
  full_screen_pid=$!
  e2e_wait_until 30 full_screen_in_front
}
start_vorn_ready() {
  e2e_move 960 540
  e2e_start_vorn
  e2e_wait_until_ready 1919 540 side.log enter
  e2e_move 960 540
  e2e_wait_for_tray
}

write_settings True
e2e_check "Vorn runs with the pause on" start_vorn_ready
e2e_check "a full-screen window comes to the front" show_full_screen 12
e2e_move 0 0
sleep 3  # six polls
e2e_check "the corner stays quiet over it" test "$(e2e_count_lines corner.log enter)" -eq 0
e2e_move 960 540
wait "$full_screen_pid" || true
e2e_move 0 0
e2e_check "once it has closed, the corner fires" e2e_wait_until 15 corner_fired
e2e_move 960 540
e2e_stop_vorn
rm -f "$E2E_WORK"/*.log

write_settings False
e2e_check "Vorn runs with the pause off" start_vorn_ready
e2e_check "a full-screen window comes to the front again" show_full_screen 8
e2e_move 0 0
e2e_check "the corner fires over it" e2e_wait_until 15 corner_fired
e2e_move 960 540
wait "$full_screen_pid" || true
e2e_stop_vorn
rm -f "$E2E_WORK"/*.log

elsewhere=$(mktemp -d)
(cd "$elsewhere" && exec wine "$E2E_VORN_EXE" /folder "$(winepath -w "$E2E_WORK" 2>/dev/null)" >/dev/null 2>&1) &
E2E_VORN_PID=$!
e2e_check "started elsewhere with /folder, Vorn reads that folder's settings" \
  e2e_wait_until_ready 1919 540 side.log enter
e2e_move 960 540
e2e_check "and makes no settings file where it started" test ! -e "$elsewhere/Vorn.ini"
rm -rf "$elsewhere"

e2e_finish
