#!/usr/bin/env bash
# The Buttons page in Vorn.exe: a button drawn on the picture appears as a
# floating window where the mapping puts it and is saved; after a restart it
# is back in its place, and clicking it runs the action chosen in the tree.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "buttons page"

# No "First run" key: the window shows at the start.
{
  echo "[Custom actions]"
  echo "Name 1=Log click"
  echo "ActionA 1=$(e2e_log_command click pressed)"
} | e2e_write_ini

buttons() { e2e_probe buttons; }
one_button() { [ "$(buttons | wc -l)" -eq 1 ]; }
section_saved() {
  e2e_ini | grep -A 8 '^\[Button 1\]$' | tr '\n' ' ' |
    grep 'Action, plain=Log click.*Left=60 Top=60 Width=30 Height=20' >/dev/null
}

e2e_move 960 540
e2e_start_vorn
e2e_check "the settings window shows" e2e_wait_until 60 e2e_window_is Vorn visible
xdotool windowactivate --sync "$(xdotool search --name '^Vorn$' | head -n 1)" >/dev/null 2>&1 || true
e2e_click_control Vorn 1901 || true
xdotool key Right
sleep 1

# Draw from (60, 60) to (90, 80) in the picture's coordinates, at the scale
# it is drawn at.
dpi=$(e2e_picture_dpi)
e2e_move $(e2e_picture_point 60 60 "$dpi")
xdotool mousedown 1
for step in 70 80 90; do e2e_move $(e2e_picture_point "$step" $((60 + (step - 60) * 2 / 3)) "$dpi"); done
e2e_move $(e2e_picture_point 90 80 "$dpi")
xdotool mouseup 1
e2e_check "a floating button appears" e2e_wait_until 10 one_button
# (60 - 9) * 1920 / 211 = 464, (60 - 10) * 1080 / 159 = 339, and so on.
e2e_check "where the mapping puts it" eval '[ "$(buttons | cut -d" " -f1-4)" = "464 339 737 475" ]'

# Its action: into the tree, then End, the custom action under "Custom".
read -r tl tt tr _ <<< "$(e2e_probe rect Vorn 1904)"
e2e_move $(((tl + tr) / 2)) $((tt + 10))
xdotool click 1
xdotool key End
e2e_check "Vorn.ini holds its section" e2e_wait_until 10 section_saved

e2e_click_control Vorn 1607  # Exit
e2e_wait_for_exit || true
e2e_start_vorn
e2e_check "after a restart the button is back in its place" \
  e2e_wait_until 60 eval '[ "$(buttons)" = "464 339 737 475 topmost Log click" ]'
e2e_move 600 400
e2e_check "clicking it runs its action" eval 'xdotool click 1; e2e_wait_for_line click.log pressed 10'

e2e_finish
