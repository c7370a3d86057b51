#!/usr/bin/env bash
# The settings window with the keyboard alone, the pointer parked: pages
# switched with Ctrl+Tab and Ctrl+Page Down, the Actions picture's lower
# right corner chosen with the arrow keys and given a Shift action, and on
# the Buttons picture a button made, moved and another deleted; Vorn.ini
# holds all of it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "keyboard only"

# No "First run" key: the window shows at the start, on the About page.
{
  echo "[Settings]"
  echo "Current page=4"
  echo "[Custom actions]"
  echo "Name 1=Log corner"
  echo "ActionA 1=$(e2e_log_command corner entered)"
  echo "[Button 1]"
  echo "Caption=First"
  echo "Left=20"
  echo "Top=20"
  echo "Width=30"
  echo "Height=20"
  echo "[Button 2]"
  echo "Caption=Second"
  echo "Left=120"
  echo "Top=100"
  echo "Width=30"
  echo "Height=20"
} | e2e_write_ini

ini() { e2e_ini; }
# The value of `key` in section `section` of Vorn.ini.
ini_value() { e2e_ini_value "$@"; }
keys() { xdotool key --delay 150 "$@"; }

e2e_move 960 540
e2e_start_vorn
e2e_check "the settings window shows" e2e_wait_until 60 e2e_window_is Vorn visible
e2e_wait_for_tray || true
xdotool windowactivate --sync "$(xdotool search --name '^Vorn$' | head -n 1)" >/dev/null 2>&1 || true

# From the last page Ctrl+Tab comes round to the first, the Actions page;
# Tab enters it at the picture. Down, Down, Right, Right: from the upper
# left corner by the left side, the lower left corner and the bottom side
# to the lower right corner. Alt+T: the Trigger list, Down: Entering with
# Shift. Alt+A: the tree, End: its last action, the custom one.
keys ctrl+Tab
keys Tab Down Down Right Right alt+t Down alt+a End
assigned() { [ "$(ini_value 'Actions, Shift' 'Lower right corner')" = "Log corner" ]; }
e2e_check "the lower right corner's Shift action is saved" e2e_wait_until 10 assigned
e2e_check "on the Actions page" eval '[ "$(ini_value Settings "Current page")" = 0 ]'
e2e_check "its plain action is as it was" eval '[ "$(ini_value "Actions, Plain" "Lower right corner")" != "Log corner" ]'

# Ctrl+Page Down: the Buttons page; Tab: its picture. Insert makes a
# button, selected and first in the list, as the newest; Right twice moves
# it two units; Tab selects the next button, and Delete deletes that one.
keys ctrl+Next
three() { [ -n "$(ini_value 'Button 3' 'Left')" ]; }
keys Tab Insert
e2e_check "Insert makes a third button" e2e_wait_until 10 three
e2e_check "on the Buttons page" eval '[ "$(ini_value Settings "Current page")" = 1 ]'
left=$(ini_value 'Button 1' 'Left')
top=$(ini_value 'Button 1' 'Top')
keys Right Right
moved() { [ "$(ini_value 'Button 1' 'Left')" = "$((left + 2))" ]; }
e2e_check "Right twice moves it two units" e2e_wait_until 10 moved
e2e_check "and not up or down" eval '[ "$(ini_value "Button 1" "Top")" = "$top" ]'
keys Tab Delete
deleted() { local left3; left3=$(ini_value 'Button 3' 'Left') && [ -z "$left3" ]; }
e2e_check "Tab and Delete delete the next button" e2e_wait_until 10 deleted
e2e_check "the new one stays where it was moved" eval '[ "$(ini_value "Button 1" "Left")" = "$((left + 2))" ]'
e2e_check "one of the two others stays" eval '[[ "$(ini_value "Button 2" "Caption")" =~ ^(First|Second)$ ]]'
e2e_check "two floating buttons are on the screen" eval '[ "$(e2e_probe buttons | wc -l)" -eq 2 ]'

[ "$E2E_FAILURES" -eq 0 ] || ini | sed -n "/^\[Button/,\$p"
e2e_finish
