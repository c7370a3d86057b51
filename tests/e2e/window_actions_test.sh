#!/usr/bin/env bash
# Built-in window actions on Wine's notepad in the foreground: Tile left,
# Enlarge window, Grow window right (repeating while the pointer stays),
# Maximize momentary and Peek window momentary, undone on leaving where the
# action is momentary.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "window actions on notepad"

cat <<'INI' | e2e_write_ini
[Settings]
First run=False
Window transparency=50
Fade transparency=False
Window grow=10
[Actions, Plain]
Upper left corner=No action
Upper right corner=Peek window momentary
Lower left corner=No action
Lower right corner=No action
Left side=Tile left
Top side=Maximize momentary
Right side=Grow window right
Bottom side=Enlarge window
INI

notepad_rect() { e2e_probe window "$E2E_NOTEPAD_TITLE" | cut -d' ' -f2-; }
notepad_state() { e2e_probe window "$E2E_NOTEPAD_TITLE" | cut -d' ' -f1; }
notepad_alpha() { e2e_probe alpha "$E2E_NOTEPAD_TITLE"; }
rect_is() { [ "$(notepad_rect)" = "$1" ]; }
right_edge() { notepad_rect | cut -d' ' -f3; }

e2e_start_notepad
e2e_move 960 540
e2e_start_vorn
e2e_wait_until 60 e2e_window_is Vorn hidden || true
e2e_wait_for_tray || true
e2e_focus_notepad

e2e_move 0 540
e2e_check "Tile left puts notepad on the left half" e2e_wait_until 15 rect_is "0 0 960 1080"
e2e_move 960 540

e2e_move 960 1079
e2e_check "Enlarge window fills the work area but 10 pixels" e2e_wait_until 15 rect_is "10 10 1910 1070"
e2e_move 960 540

e2e_move 0 540
e2e_wait_until 15 rect_is "0 0 960 1080" || true
e2e_move 960 540
e2e_move 1919 540
grown() { [ "$(right_edge)" -gt 1000 ]; }
e2e_check "Grow window right repeats while the pointer stays" e2e_wait_until 15 grown
e2e_check "until the work area stops it" e2e_wait_until 15 eval '[ "$(right_edge)" -eq 1920 ]'
e2e_move 960 540

e2e_move 960 0
e2e_check "Maximize momentary maximizes notepad" e2e_wait_until 15 eval '[ "$(notepad_state)" = maximized ]'
e2e_move 960 540
e2e_check "and leaving restores it" e2e_wait_until 15 eval '[ "$(notepad_state)" = visible ]'

e2e_move 1919 0
e2e_check "Peek window momentary makes notepad see-through" e2e_wait_until 15 eval '[ "$(notepad_alpha)" = 127 ]'
e2e_move 960 540
e2e_check "and leaving makes it opaque again" e2e_wait_until 15 eval '[ "$(notepad_alpha)" = 255 ]'

e2e_finish
