#!/usr/bin/env bash
# Edge dispatch in Vorn.exe: each of the eight zones, entered and left with no
# modifier, with Shift and with Ctrl held, at points on the zone boundaries;
# points just outside the zones; and a move from one zone straight into another
# between two polls.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin

zones=("Upper left corner" "Upper right corner" "Lower left corner" "Lower right corner"
       "Left side" "Top side" "Right side" "Bottom side")
tags=(ul ur ll lr left top right bottom)
# With corners of 2, sides of 2 and the default side length on 1920 x 1080:
# points on the inner boundary of each zone ...
inside=("1 1" "1919 2" "1 1078" "1918 1078" "0 163" "289 0" "1918 917" "1631 1078")
# ... and points just outside every zone.
outside=("2 0" "0 2" "1917 0" "1919 3" "0 1077" "2 1079" "0 162" "2 540" "288 0" "960 2" "1919 918" "960 1077")
modifiers=(plain shift ctrl)
sections=("Actions, Plain" "Actions, Shift" "Actions, Ctrl")
centre="960 540"

{
  echo "[Settings]"
  echo "First run=False"
  n=0
  for m in 0 1 2; do
    echo "[${sections[$m]}]"
    for i in "${!zones[@]}"; do echo "${zones[$i]}=Log ${tags[$i]} ${modifiers[$m]}"; done
  done
  echo "[Custom actions]"
  for m in 0 1 2; do
    for i in "${!zones[@]}"; do
      n=$((n + 1))
      tag="${tags[$i]}-${modifiers[$m]}"
      echo "Name $n=Log ${tags[$i]} ${modifiers[$m]}"
      echo "ActionA $n=$(e2e_log_command "$tag" enter)"
      echo "ActionB $n=$(e2e_log_command "$tag" leave)"
    done
  done
} | e2e_write_ini

e2e_start_notepad
e2e_move $centre
e2e_start_vorn

echo "edge dispatch"
e2e_check "Vorn runs" e2e_wait_until_ready ${inside[0]} ul-plain.log enter
e2e_move $centre
e2e_wait_for_line ul-plain.log leave || true

for m in 0 1 2; do
  modifier=${modifiers[$m]}
  e2e_focus_notepad
  [ "$modifier" = plain ] || e2e_hold "$modifier"
  for i in "${!zones[@]}"; do
    tag="${tags[$i]}-$modifier"
    [ "$tag" = ul-plain ] && continue  # entered and left above
    e2e_move ${inside[$i]}
    e2e_check "${zones[$i]}, $modifier: beginning on entering" e2e_wait_for_line "$tag.log" enter
    e2e_move $centre
    e2e_check "${zones[$i]}, $modifier: ending on leaving" e2e_wait_for_line "$tag.log" leave
  done
  [ "$modifier" = plain ] || e2e_release "$modifier"
done

# Entering with Shift and leaving with nothing held: the ending is the Plain one.
e2e_focus_notepad
e2e_hold shift
e2e_move 0 540
e2e_check "entered with Shift held" e2e_wait_until 15 eval '[ "$(e2e_count_lines left-shift.log enter)" -eq 2 ]'
e2e_release shift
e2e_move $centre
e2e_check "left with nothing held: the Plain ending" e2e_wait_until 15 eval '[ "$(e2e_count_lines left-plain.log leave)" -eq 2 ]'

# Outside every zone nothing runs. Each point is held for more than one poll.
for point in "${outside[@]}"; do
  e2e_move $point
  sleep 0.6
done
e2e_move $centre
sleep 0.6

# From the upper left corner straight into the top side between two polls.
e2e_move 0 0
e2e_check "zone to zone: the corner entered" e2e_wait_until 15 eval '[ "$(e2e_count_lines ul-plain.log enter)" -eq 2 ]'
e2e_move 960 0
e2e_check "zone to zone: the corner's ending" e2e_wait_until 15 eval '[ "$(e2e_count_lines ul-plain.log leave)" -eq 2 ]'
e2e_check "zone to zone: the side's beginning" e2e_wait_until 15 eval '[ "$(e2e_count_lines top-plain.log enter)" -eq 2 ]'
e2e_move $centre
e2e_wait_until 15 eval '[ "$(e2e_count_lines top-plain.log leave)" -eq 2 ]' || true

expected_runs() {
  local log=$1 want=1
  case "$log" in ul-plain | top-plain) want=2 ;; left-shift) want=2 ;; esac
  local enters leaves
  enters=$(e2e_count_lines "$log.log" enter)
  leaves=$(e2e_count_lines "$log.log" leave)
  case "$log" in left-shift) [ "$enters" -eq 2 ] && [ "$leaves" -eq 1 ] && return 0 ;;
                 left-plain) [ "$enters" -eq 1 ] && [ "$leaves" -eq 2 ] && return 0 ;;
                 *) [ "$enters" -eq "$want" ] && [ "$leaves" -eq "$want" ] && return 0 ;; esac
  echo "    $log: $enters enter, $leaves leave" >&2
  return 1
}
all_counts_right() {
  local ok=0 m i
  for m in "${modifiers[@]}"; do
    for i in "${!tags[@]}"; do expected_runs "${tags[$i]}-$m" || ok=1; done
  done
  return $ok
}
e2e_check "nothing ran twice, nothing ran outside the zones" all_counts_right
e2e_check "Vorn is still running" e2e_vorn_running

e2e_finish
