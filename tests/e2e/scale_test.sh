#!/usr/bin/env bash
# The settings window at 150 % and 200 % display scale (LogPixels 144 and
# 192, each in a Wine prefix of its own): the monitor picture grows in
# proportion with the rest of the page and covers none of the controls below
# it, a click on its lower right corner picks that corner, and a button drawn
# on the Buttons page is stored, and lands on the screen, exactly where the
# same drag puts it at 100 %. The pages start below the tab headings, and the
# Settings page scrolled down with the wheel shows its last box whole.
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

# The picture ends above the control below it (the Key list, the Title box).
picture_above() {  # id
  local bottom top
  read -r _ _ _ bottom <<< "$(e2e_probe rect Vorn 1350)"
  read -r _ top _ _ <<< "$(e2e_probe rect Vorn "$1")"
  echo "    the picture ends at $bottom, the control below starts at $top"
  [ -n "$bottom" ] && [ -n "$top" ] && [ "$bottom" -le "$top" ]
}

# A drag over the picture between the pixels that show (50, 60) and (120, 101).
draw_button() {
  local dpi
  dpi=$(e2e_picture_dpi)
  e2e_move $(e2e_picture_point 50 60 "$dpi")
  xdotool mousedown 1
  e2e_move $(e2e_picture_point 80 80 "$dpi")
  e2e_move $(e2e_picture_point 120 101 "$dpi")
  xdotool mouseup 1
}
stored_button() {
  e2e_ini | grep -A 8 '^\[Button 1\]$' | grep -E '^(Left|Top|Width|Height)=' | tr '\n' ' '
}
floating_button() { e2e_probe buttons | cut -d' ' -f1-4; }

# The page's top against the headings' lowest edge, on the screen.
page_below_headings() {
  local top headings
  read -r _ top _ _ <<< "$(e2e_probe page Vorn)"
  headings=$(e2e_probe headings Vorn)
  echo "    page top $top, headings end at $headings"
  [ -n "$top" ] && [ -n "$headings" ] && [ "$top" -ge "$headings" ]
}
# The Settings page turned down with the wheel, further than it goes: its
# lowest box, "Dwell time", lies whole within the page.
last_box_in_view() {
  local left top right bottom bl bt br bb
  read -r left top right bottom <<< "$(e2e_probe page Vorn)"
  e2e_move $((left + 12)) $(((top + bottom) / 2))
  xdotool click --repeat 40 --delay 40 5
  sleep 0.5
  read -r bl bt br bb <<< "$(e2e_probe rect Vorn 1014)"
  echo "    page $top to $bottom, the box $bt to $bb"
  [ -n "$bt" ] && [ "$bt" -ge "$top" ] && [ "$bb" -le "$bottom" ] && [ "$bl" -ge "$left" ] && [ "$br" -le "$right" ]
}

reference_ratio=""
reference_button=""
reference_place=""
for dpi in 96 144 192; do
  e2e_use_dpi "$dpi"
  echo " at $dpi dpi"
  e2e_check "the settings window shows on the Settings page" start_on_page 3
  e2e_check "the page starts below the tab headings" page_below_headings
  e2e_check "scrolled to its end, the page shows its last box" last_box_in_view
  e2e_stop_vorn

  e2e_check "the settings window shows on the Actions page" start_on_page 0
  read -r tree picture <<< "$(sizes)"
  ratio=$((picture * 1000 / tree))
  shown=$(e2e_picture_dpi)
  e2e_check "the picture is drawn at the scale, or as large as its box holds ($shown dpi)" \
    test "$shown" -le "$dpi" -a $((shown * 100)) -ge $((dpi * 85))
  e2e_check "and ends above the Key list" picture_above 1201
  if [ -z "$reference_ratio" ]; then
    reference_ratio=$ratio
  else
    # The picture's box follows the dialog font's height, the tree its
    # width, and a font's shape changes a little from size to size.
    e2e_check "in proportion with the tree beside it ($ratio / 1000 against $reference_ratio)" \
      test $((ratio - reference_ratio)) -ge -60 -a $((ratio - reference_ratio)) -le 60
  fi

  e2e_assign_last_action_to_lower_right_corner
  e2e_check "a click on the picture's lower right corner picks that corner" \
    e2e_wait_for_ini_value 10 "Actions, Plain" "Lower right corner" "Log corner"
  e2e_stop_vorn

  e2e_check "the settings window shows on the Buttons page" start_on_page 1
  e2e_check "the picture ends above the Title box" picture_above 1001
  draw_button
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
