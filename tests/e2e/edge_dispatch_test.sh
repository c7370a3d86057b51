#!/usr/bin/env bash
# Vorn.exe reads Vorn.ini from its working folder and runs the custom actions
# assigned to the zones the pointer enters and leaves.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin

zones=("Upper left corner" "Upper right corner" "Lower left corner" "Lower right corner"
       "Left side" "Top side" "Right side" "Bottom side")
tags=(ul ur ll lr left top right bottom)
# A point in each zone on the 1920 x 1080 display, and one in none.
points=("0 0" "1919 0" "0 1079" "1919 1079" "0 540" "960 0" "1919 540" "960 1079")
centre="960 540"

{
  echo "[Actions, Plain]"
  for i in "${!zones[@]}"; do echo "${zones[$i]}=Log ${tags[$i]}"; done
  echo "[Custom actions]"
  for i in "${!zones[@]}"; do
    n=$((i + 1))
    echo "Name $n=Log ${tags[$i]}"
    echo "ActionA $n=$(e2e_log_command "${tags[$i]}" "enter")"
    echo "ActionB $n=$(e2e_log_command "${tags[$i]}" "leave")"
  done
} | e2e_write_ini

e2e_move $centre
e2e_start_vorn

echo "edge dispatch"
# The first entry also waits for Wine and Vorn to start.
e2e_check "Vorn started and ran the upper left corner's beginning" e2e_wait_until_ready ${points[0]} ul.log enter
for i in "${!zones[@]}"; do
  tag=${tags[$i]}
  [ "$i" -eq 0 ] || e2e_move ${points[$i]}
  e2e_check "${zones[$i]}: beginning on entering" e2e_wait_for_line "$tag.log" enter
  e2e_move $centre
  e2e_check "${zones[$i]}: ending on leaving" e2e_wait_for_line "$tag.log" leave
done
e2e_check "each beginning ran once" test "$(cat "$E2E_WORK"/*.log | tr -d '\r' | grep -cx enter)" -eq 8
e2e_check "Vorn is still running" e2e_vorn_running
e2e_check "loading wrote no file" test ! -e "$E2E_WORK/Vorn.ini.tmp"

e2e_finish
