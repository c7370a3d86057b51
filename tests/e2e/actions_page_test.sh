#!/usr/bin/env bash
# The Actions page through Vorn.exe: a click on the lower right corner of the
# picture and a choice in the tree with the keyboard change Vorn.ini, and the
# next visit of the pointer to that corner runs the new action. The Preview
# button opens the full-screen preview and Escape closes it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "actions page and preview"

# No "First run" key: the window shows at the start.
{
  echo "[Custom actions]"
  echo "Name 1=Log corner"
  echo "ActionA 1=$(e2e_log_command corner entered)"
} | e2e_write_ini

e2e_move 960 540
e2e_start_vorn
e2e_check "the settings window shows" e2e_wait_until 60 e2e_window_is Vorn visible
xdotool windowactivate --sync "$(xdotool search --name '^Vorn$' | head -n 1)" >/dev/null 2>&1 || true

# The picture's screen area starts 9, 10 into the control; the corner zone
# spans 200..219, 149..168 of it.
e2e_assign_last_action_to_lower_right_corner
e2e_check "the corner's new action is saved" \
  e2e_wait_for_ini_value 10 "Actions, Plain" "Lower right corner" "Log corner"

e2e_move 1919 1079
e2e_check "the next visit to the corner runs it" e2e_wait_for_line corner.log entered
e2e_move 960 540

e2e_click_control Vorn 1610
preview_open() { e2e_probe preview >/dev/null; }
e2e_check "Preview opens the full-screen preview" e2e_wait_until 10 preview_open
e2e_check "covering the whole screen" eval '[ "$(e2e_probe preview | cut -d" " -f1-4)" = "0 0 1920 1080" ]'
xdotool key Escape
e2e_check "Escape closes it" e2e_wait_until 10 eval '! preview_open'

e2e_finish
