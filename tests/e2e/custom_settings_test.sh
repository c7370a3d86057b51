#!/usr/bin/env bash
# The Custom and Settings pages in Vorn.exe: a custom action added through
# the editor and assigned on the Actions page runs when its zone is entered,
# and a corner size typed on the Settings page changes where the corner
# triggers.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "custom and settings pages"
: | e2e_write_ini  # no "First run" key: the window shows at the start

editor_open() { xdotool search --name '^Custom action$' >/dev/null 2>&1; }
# A click on the first tab's heading, then Right n times.
tab() {
  local tl tt
  read -r tl tt _ _ <<< "$(e2e_probe rect Vorn 1901)"
  e2e_move $((tl + 30)) $((tt + 10))
  xdotool click 1
  for _ in $(seq "$1"); do xdotool key Right; done
  sleep 0.5
}

e2e_move 960 540
e2e_start_vorn
e2e_check "the settings window shows" e2e_wait_until 60 e2e_window_is Vorn visible
xdotool windowactivate --sync "$(xdotool search --name '^Vorn$' | head -n 1)" >/dev/null 2>&1 || true

tab 2
e2e_click_control Vorn 1601  # Add...
e2e_check "Add opens the editor" e2e_wait_until 10 editor_open
xdotool windowactivate --sync "$(xdotool search --name '^Custom action$' | head -n 1)" >/dev/null 2>&1 || true
xdotool type --delay 20 "Corner log"
# Past the description and the beginning's choice, which stays "Command line".
xdotool key Tab Tab Tab
xdotool type --delay 20 "$(e2e_log_command corner entered)"
xdotool key Return
e2e_check "the editor's action is saved" e2e_wait_for_ini_value 10 "Custom actions" "Name 1" "Corner log"

tab 0
read -r left top _ _ <<< "$(e2e_probe rect Vorn 1350)"
e2e_move $((left + 15)) $((top + 15))
xdotool click 1
read -r tl tt tr _ <<< "$(e2e_probe rect Vorn 1904)"
e2e_move $(((tl + tr) / 2)) $((tt + 10))
xdotool click 1
xdotool key End
e2e_check "assigned to the upper left corner" \
  e2e_wait_for_ini_value 10 "Actions, Plain" "Upper left corner" "Corner log"

e2e_move 15 15
sleep 2
e2e_check "15, 15 is outside a corner of 2 pixels" test ! -e "$E2E_WORK/corner.log"
e2e_move 960 540

tab 3
read -r bl bt br bb <<< "$(e2e_probe rect Vorn 1001)"
e2e_move $(((bl + br) / 2)) $(((bt + bb) / 2))
xdotool click 1
xdotool key End BackSpace BackSpace BackSpace
xdotool type "20"
e2e_check "the corner size typed is saved" e2e_wait_for_ini_value 10 Settings "Corner size" 20

e2e_move 15 15
e2e_check "and 15, 15 now runs the corner's action" e2e_wait_for_line corner.log entered 15
e2e_move 960 540

e2e_finish
