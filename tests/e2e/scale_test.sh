#!/usr/bin/env bash
# The monitor pictures at 150 % and 200 % display scale (LogPixels 144 and
# 192, each in a Wine prefix of its own): the picture grows in proportion
# with the rest of the page, a click on its lower right corner picks that
# corner, and a button drawn on the Buttons page is stored, and lands on the
# screen, exactly where the same drag puts it at 100 %.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "display scale"
start_on_page() {  # page
  {
    echo "[Settings]"
    echo "Current page=$1"
    echo "[Custom actions]"
    echo "Name 1=Log corner"
    echo "ActionA 1=$(e2e_log_command corner entered)"
  } | e2e_write_ini
  e2e_move 960 540
  e2e_start_vorn
  e2e_wait_until 60 e2e_window_is Vorn visible || return 1
  xdotool windowactivate --sync "$(xdotool search --name '^Vorn$' | head -n 1)" >/dev/null 2>&1 || true
  sleep 1
}

# width of the action tree beside the picture and of the picture, in pixels:
# both are laid out by the dialog, so their ratio holds at every scale
sizes() {
  read -r tl _ tr _ <<< "$(e2e_probe rect Vorn 1904)"
  read -r pl _ pr _ <<< "$(e2e_probe rect Vorn 1350)"
  echo "$((tr - tl)) $((pr - pl))"
}

# A drag over the picture between the pixels that show (50, 60) and (120, 101).
draw_button() {  # dpi
  local dpi=$1 left top
  read -r left top _ _ <<< "$(e2e_probe rect Vorn 1350)"
  at() { echo $((left + ($1 * dpi + 48) / 96)) $((top + ($2 * dpi + 48) / 96)); }
  e2e_move $(at 50 60)
  xdotool mousedown 1
  e2e_move $(at 80 80)
  e2e_move $(at 120 101)
  xdotool mouseup 1
}
stored_button() {
  tr -d '\r' < "$E2E_WORK/Vorn.ini" | grep -A 8 '^\[Button 1\]$' | grep -E '^(Left|Top|Width|Height)=' | tr '\n' ' '
}
floating_button() { e2e_probe buttons | cut -d' ' -f1-4; }

reference_ratio=""
reference_button=""
reference_place=""
for dpi in 96 144 192; do
  e2e_use_dpi "$dpi"
  echo " at $dpi dpi"
  e2e_check "the settings window shows on the Actions page" start_on_page 0
  read -r tree picture <<< "$(sizes)"
  ratio=$((picture * 1000 / tree))
  expected=$((230 * dpi / 96))
  e2e_check "the picture is $expected pixels wide ($picture)" test $((picture - expected)) -ge -2 -a $((picture - expected)) -le 2
  if [ -z "$reference_ratio" ]; then
    reference_ratio=$ratio
  else
    e2e_check "in proportion with the tree beside it ($ratio / 1000 against $reference_ratio)" \
      test $((ratio - reference_ratio)) -ge -30 -a $((ratio - reference_ratio)) -le 30
  fi

  e2e_assign_last_action_to_lower_right_corner "$dpi"
  assigned() { tr -d '\r' < "$E2E_WORK/Vorn.ini" | grep -qx 'Lower right corner=Log corner'; }
  e2e_check "a click on the picture's lower right corner picks that corner" e2e_wait_until 10 assigned
  e2e_stop_vorn

  e2e_check "the settings window shows on the Buttons page" start_on_page 1
  draw_button "$dpi"
  e2e_wait_until 10 eval '[ -n "$(floating_button)" ]' || true
  e2e_wait_until 10 eval '[ -n "$(stored_button)" ]' || true
  button=$(stored_button)
  place=$(floating_button)
  if [ -z "$reference_button" ]; then
    reference_button=$button
    reference_place=$place
    e2e_check "a drawn button is stored ($button)" test -n "$button"
  else
    e2e_check "stored as at 96 dpi ($button)" test "$button" = "$reference_button"
    e2e_check "and on the screen where it lands at 96 dpi ($place)" test "$place" = "$reference_place"
  fi
  e2e_stop_vorn
done
e2e_finish
