#!/usr/bin/env bash
# The settings window: shown centred on the first start, which writes nothing;
# a tab switch writes Vorn.ini; later starts begin hidden; a second start shows
# the running instance's window and ends; Exit ends the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "settings window"

centred() {
  local state left top right bottom
  read -r state left top right bottom <<< "$(e2e_probe window Vorn)"
  [ "$state" = visible ] || return 1
  local dx=$(((left + right) / 2 - 960)) dy=$(((top + bottom) / 2 - 540))
  [ ${dx#-} -le 1 ] && [ ${dy#-} -le 1 ]
}

# First start: no Vorn.ini.
e2e_start_vorn
e2e_check "the first start shows the window" e2e_wait_until 60 e2e_window_is Vorn visible
e2e_check "centred on the screen" centred
e2e_check "starting writes no file" test ! -e "$E2E_WORK/Vorn.ini"

# Switch to the second tab: the tab control has the focus, Right selects the next tab.
xdotool windowactivate --sync "$(xdotool search --name '^Vorn$' | head -n 1)" >/dev/null 2>&1 || true
e2e_click_control Vorn 1901 || true
xdotool key Right
e2e_check "a tab switch writes Vorn.ini" e2e_wait_for_ini_value 10 Settings "Current page" 1
expected=$(mktemp)
sed 's/^Current page=0\r$/Current page=1\r/' "$VORN_ROOT/tests/e2e/default.ini" > "$expected"
# Read once whole, with its line ends as written.
saved=$(mktemp)
e2e_wait_until 5 eval 'cp "$E2E_WORK/Vorn.ini" "$saved" 2>/dev/null' || true
e2e_check "the file is the default file with the page saved" cmp -s "$expected" "$saved"
rm -f "$expected" "$saved"

e2e_click_control Vorn 1607  # Exit
e2e_check "Exit ends the program" e2e_wait_for_exit
e2e_check "nothing is saved at exit" e2e_ini_is Settings "Current page" 1

# Later start: hidden in the tray.
e2e_start_vorn
e2e_check "a later start has its window" e2e_wait_until 60 e2e_window_is Vorn hidden
first_pid=$E2E_VORN_PID

# A second start finds the first, shows its window and ends.
(cd "$E2E_WORK" && wine "$E2E_VORN_EXE" >/dev/null 2>&1) &
second=$!
e2e_check "the second start ends" e2e_wait_until 30 eval '! kill -0 '$second' 2>/dev/null'
e2e_check "and shows the running instance's window" e2e_wait_until 10 e2e_window_is Vorn visible
e2e_check "the first instance still runs" kill -0 "$first_pid"

e2e_click_control Vorn 2  # Close
e2e_check "Close hides the window" e2e_wait_until 10 e2e_window_is Vorn hidden
e2e_check "and the program goes on" kill -0 "$first_pid"

e2e_finish
