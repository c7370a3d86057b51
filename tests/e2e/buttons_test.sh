#!/usr/bin/env bash
# Floating buttons from Vorn.ini: four topmost windows at their places with
# their captions; a click works on the window the user was in (notepad), and
# a keystroke action types into it ("Copy" copies its selection); a
# Shift-click runs the Shift action, a press dragged off the button and
# released runs a custom action's beginning and ending; a later save writes
# the sections newest first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "floating buttons"

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Custom actions]"
  echo "Name 1=Log shift"
  echo "ActionA 1=$(e2e_log_command shift pressed)"
  echo "Name 2=Press"
  echo "ActionA 2=$(e2e_log_command press down)"
  echo "ActionB 2=$(e2e_log_command press up)"
  echo "[Button 1]"
  echo "Action, plain=Tile left"
  echo "Action, shift=Log shift"
  echo "Left=20"
  echo "Top=20"
  echo "Width=20"
  echo "Height=10"
  echo 'Caption=Tile\r\nleft'
  echo "[Button 2]"
  echo "Action, plain=Press"
  echo "Left=60"
  echo "Top=20"
  echo "Width=20"
  echo "Height=10"
  echo "Caption=Press"
  echo "[Button 3]"
  echo "Left=100"
  echo "Top=20"
  echo "Width=20"
  echo "Height=10"
  echo "Caption=Third"
  echo "Transparency=40%"
  echo "[Button 4]"
  echo "Action, plain=Copy"
  echo "Left=140"
  echo "Top=20"
  echo "Width=20"
  echo "Height=10"
  echo "Caption=Copy"
} | e2e_write_ini

# Diagram (9, 10)-(220, 169) is the 1920 x 1080 screen.
expected="100 67 282 135 topmost Tile|left
464 67 646 135 topmost Press
828 67 1010 135 topmost Third
1192 67 1374 135 topmost Copy"
buttons() { e2e_probe buttons; }
four_buttons() { [ "$(buttons | wc -l)" -eq 4 ]; }
notepad_rect() { e2e_probe window "$E2E_NOTEPAD_TITLE" | cut -d' ' -f2-; }
notepad_tiled() { [ "$(notepad_rect)" = "0 0 960 1080" ]; }

e2e_start_notepad
e2e_move 960 540
e2e_start_vorn
e2e_check "four floating buttons appear" e2e_wait_until 60 four_buttons
e2e_wait_for_tray || true
e2e_check "at their places, topmost, with their captions" test "$(buttons)" = "$expected"
[ "$(buttons)" = "$expected" ] || buttons | sed 's/^/    got: /'

e2e_focus_notepad
e2e_move 150 101
e2e_move 191 101
xdotool click 1
e2e_check "a click tiles notepad, the window the user was in" e2e_wait_until 15 notepad_tiled
# Out of the way of the tray icon at the top left.
xdotool windowmove --sync "$(e2e_notepad_window)" 600 300 >/dev/null 2>&1 || true

e2e_move 555 101
xdotool mousedown 1
e2e_check "a press runs the beginning" e2e_wait_for_line press.log down
e2e_move 700 700
xdotool mouseup 1
e2e_check "a release dragged off the button runs the ending" e2e_wait_for_line press.log up
e2e_move 960 540

# A keystroke action: the keys go to notepad, which stays in front.
e2e_focus_notepad
xdotool type --delay 20 "copied by a floating button"
xdotool key ctrl+a
e2e_move 1250 101
e2e_move 1283 101
xdotool click 1
copied() { [ "$(e2e_probe clipboard)" = "copied by a floating button" ]; }
e2e_check "a Copy button copies notepad's selection" e2e_wait_until 15 copied
notepad_in_front() { e2e_probe foreground | grep -q 'Notepad'; }
e2e_check "and notepad stays in front" notepad_in_front

# Last of the clicks: under Wine a Shift release after a click on another
# window can go unseen, and Shift would stay down for the rest.
# Keys reach Wine only while one of its windows has the focus.
e2e_focus_notepad
e2e_move 150 101
e2e_move 191 101
shift_is() { [ "$(e2e_probe shift)" = "$1" ]; }
e2e_hold shift
e2e_wait_until 10 shift_is down || true  # Wine may take a moment to see it
xdotool click 1
e2e_release shift
e2e_check "a Shift-click runs the Shift action" e2e_wait_for_line shift.log pressed

# A save: open the settings window from the tray and switch the tab.
e2e_tray_menu 0 5 || true
e2e_wait_until 15 e2e_window_is Vorn visible || true
e2e_click_control Vorn 1901 || true
xdotool key Right
# Written by Vorn (it writes every setting), the sections in the order read.
saved_in_order() {
  [ -n "$(e2e_ini_value Settings 'Current page')" ] &&
    e2e_ini_is 'Button 1' Caption 'Tile\r\nleft' && e2e_ini_is 'Button 2' Caption Press &&
    e2e_ini_is 'Button 3' Caption Third && e2e_ini_is 'Button 4' Caption Copy
}
e2e_check "the next save keeps the sections in the file's order" e2e_wait_until 10 saved_in_order

e2e_finish
