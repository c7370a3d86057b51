# End-to-end harness: Vorn.exe under Wine on a private X display, driven with
# xdotool, observed through the log files its custom actions append to.
# Source it from a test script; call e2e_begin first. Everything it starts is
# ended by e2e_end (installed as an EXIT trap by e2e_begin).
# shellcheck shell=bash

source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/common.sh"

E2E_VORN_EXE=${E2E_VORN_EXE:-$VORN_ROOT/build/windows/Vorn.exe}
E2E_PROBE_EXE=${E2E_PROBE_EXE:-$VORN_ROOT/build/windows/tests/vorn_e2e_probe.exe}
E2E_FAILURES=0
E2E_VORN_PID=""
E2E_NOTEPAD_PID=""
E2E_NOTEPAD_TITLE="Untitled - Notepad"

e2e_begin() {
  ensure_wine_prefix
  E2E_BASE_PREFIX=$WINEPREFIX
  start_display
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/vorn-e2e.XXXXXX")
  trap e2e_end EXIT
}

# Runs what follows at display scale `dpi` (LogPixels): in a prefix of its
# own, made once per run from the project's one beside it, its files linked
# (copied where the file system cannot link) and its registry files copied
# (Wine replaces those whole when it saves). 96 is the project's prefix
# itself. Vorn is stopped first; e2e_end removes the prefixes.
E2E_DPI_PREFIXES=()
e2e_use_dpi() {  # dpi
  e2e_stop_vorn
  if [ "$1" = 96 ]; then
    export WINEPREFIX=$E2E_BASE_PREFIX
    return
  fi
  export WINEPREFIX=$E2E_BASE_PREFIX-dpi$1.$$
  if [ ! -d "$WINEPREFIX" ]; then
    E2E_DPI_PREFIXES+=("$WINEPREFIX")
    if ! cp -al "$E2E_BASE_PREFIX" "$WINEPREFIX" 2>/dev/null; then
      rm -rf "$WINEPREFIX"
      cp -a "$E2E_BASE_PREFIX" "$WINEPREFIX"
    fi
    local reg
    for reg in "$WINEPREFIX"/*.reg; do
      rm "$reg"
      cp "$E2E_BASE_PREFIX/$(basename "$reg")" "$reg"
    done
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w
  fi
}

e2e_end() {
  xdotool keyup shift ctrl >/dev/null 2>&1 || true
  e2e_stop_vorn
  [ -n "${E2E_BASE_PREFIX:-}" ] && export WINEPREFIX=$E2E_BASE_PREFIX
  local prefix
  for prefix in ${E2E_DPI_PREFIXES[@]+"${E2E_DPI_PREFIXES[@]}"}; do
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
  done
  [ -n "$E2E_NOTEPAD_PID" ] && kill "$E2E_NOTEPAD_PID" >/dev/null 2>&1 || true
  stop_started
  [ -n "${E2E_WORK:-}" ] && rm -rf "$E2E_WORK"
}

# Writes the working folder's Vorn.ini from standard input (LF or CR LF).
e2e_write_ini() {
  sed 's/\r*$/\r/' > "$E2E_WORK/Vorn.ini"
}

# --- Vorn.ini as Vorn saved it

# Prints the settings file (the working folder's Vorn.ini unless named), LF
# line ends, as one whole save left it. A save writes a new file and swaps it
# in; Wine's swap first moves the old file aside, so for a moment the name
# is missing: a read that finds nothing tries again. Fails when the file stays
# missing. Tests read Vorn.ini through this, never straight.
e2e_ini() {  # [file]
  local file=${1:-$E2E_WORK/Vorn.ini} text try
  for try in $(seq 30); do
    if text=$({ tr -d '\r' < "$file"; } 2>/dev/null); then
      printf '%s\n' "$text"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# The value of `key` in section `section`; fails when the file is missing.
# (awk reads to the end: a reader that stops early would end the writer with
# SIGPIPE, a failure under pipefail.)
e2e_ini_value() {  # section key [file]
  local text
  text=$(e2e_ini "${3:-}") || return 1
  awk -v section="[$1]" -v key="$2" -F= '
    /^\[/ {inside = ($0 == section); next}
    inside && !found && $1 == key {sub(/^[^=]*=/, ""); print; found = 1}' <<< "$text"
}

# True when `key` in `section` is `value` now.
e2e_ini_is() {  # section key value [file]
  local value
  value=$(e2e_ini_value "$1" "$2" "${4:-}") || return 1
  [ "$value" = "$3" ]
}

# Waits until a save has given `key` in `section` the value: not for the
# file, which may hold an earlier save, or for a moment be missing.
e2e_wait_for_ini_value() {  # timeout section key value [file]
  local timeout=$1
  shift
  e2e_wait_until "$timeout" e2e_ini_is "$@"
}

e2e_start_vorn() {
  (cd "$E2E_WORK" && exec wine "$E2E_VORN_EXE" >/dev/null 2>&1) &
  E2E_VORN_PID=$!
}

e2e_stop_vorn() {
  if [ -n "$E2E_VORN_PID" ]; then
    kill "$E2E_VORN_PID" >/dev/null 2>&1 || true
    wait "$E2E_VORN_PID" >/dev/null 2>&1 || true
    E2E_VORN_PID=""
  fi
  wineserver -k >/dev/null 2>&1 || true
  timeout 20 wineserver -w >/dev/null 2>&1 || true
}

# Waits until Vorn runs the action of the zone at (x, y), whose log `file`
# gets `text`. Wine's start can take long on a busy machine; until it is up,
# the pointer is put back into the zone now and then in case anything moved it.
e2e_wait_until_ready() {  # x y file text [timeout]
  local x=$1 y=$2 file=$3 text=$4 timeout=${5:-120}
  local started=$SECONDS
  while [ $((SECONDS - started)) -lt "$timeout" ]; do
    e2e_move "$x" "$y"
    if e2e_wait_for_line "$file" "$text" 3; then
      echo "  (Vorn answered after $((SECONDS - started)) s)"
      return 0
    fi
    e2e_vorn_running || return 1
  done
  return 1
}

# Waits until a command succeeds; false after `timeout` seconds.
e2e_wait_until() {  # timeout command...
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  while [ $SECONDS -lt $deadline ]; do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# Waits until the Vorn process has ended.
e2e_wait_for_exit() {  # [timeout]
  local timeout=${1:-15}
  e2e_wait_until "$timeout" e2e_vorn_gone
}
e2e_vorn_gone() { ! kill -0 "$E2E_VORN_PID" 2>/dev/null; }

# --- Wine's notepad: keys reach Wine only while a Wine window has the focus,
# and window actions need a foreground window to act on.

e2e_start_notepad() {
  local attempt
  for attempt in 1 2; do
    (cd "$E2E_WORK" && exec wine notepad >/dev/null 2>&1) &
    E2E_NOTEPAD_PID=$!
    e2e_wait_until 45 e2e_notepad_window >/dev/null && break
    # A start that met the previous test's Wine still shutting down: once more.
    echo "  (notepad did not show; starting it again)"
    kill "$E2E_NOTEPAD_PID" >/dev/null 2>&1 || true
    [ "$attempt" -eq 2 ] && { echo "  FAIL  notepad did not start"; return 1; }
  done
  local window
  window=$(e2e_notepad_window)
  xdotool windowmove --sync "$window" 600 300 >/dev/null 2>&1 || true
  xdotool windowsize --sync "$window" 700 500 >/dev/null 2>&1 || true
  e2e_focus_notepad
}
e2e_notepad_window() { xdotool search --name "^$E2E_NOTEPAD_TITLE\$" 2>/dev/null | head -n 1 | grep .; }
# A window manager busy with the last test's windows can refuse once; a
# refusal that lasts is told, and the checks that follow say what it cost.
e2e_focus_notepad() {
  local try
  for try in 1 2 3; do
    xdotool windowactivate --sync "$(e2e_notepad_window)" >/dev/null 2>&1 && return 0
    sleep 0.3
  done
  echo "  (notepad could not be brought to the front)"
}

e2e_hold() { xdotool keydown "$1"; }      # shift or ctrl
e2e_release() { xdotool keyup "$1"; }

# --- looking at windows from the Windows side

e2e_probe() { wine "$E2E_PROBE_EXE" "$@" 2>/dev/null | tr -d '\r'; }
# "visible", "hidden" or "minimized" for the window titled $1; empty if none.
e2e_window_state() { e2e_probe window "$1" | cut -d' ' -f1; }
e2e_window_is() { [ "$(e2e_window_state "$1")" = "$2" ]; }  # title state

# Clicks the middle of control `id` of the window titled `title`.
e2e_click_control() {  # title id
  local point
  point=$(e2e_probe control "$1" "$2") || return 1
  [ -n "$point" ] || return 1
  # shellcheck disable=SC2086
  xdotool mousemove --sync $point click 1
}

# --- the tray icon and its menu

# Waits until Vorn's start is over: its icon is in the tray. Under Wine the
# tray's window appears with the first icon and takes the focus, so a test
# that focuses a window of its own waits for this first.
e2e_wait_for_tray() { e2e_wait_until "${1:-60}" e2e_tray_icon_point >/dev/null; }

e2e_tray_icon_point() {
  local tray x y
  tray=$(xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n 1)
  [ -n "$tray" ] || return 1
  x=$(xwininfo -id "$tray" 2>/dev/null | awk '/Absolute upper-left X/ {print $4}')
  y=$(xwininfo -id "$tray" 2>/dev/null | awk '/Absolute upper-left Y/ {print $4}')
  [ -n "$x" ] && [ -n "$y" ] || return 1
  echo "$((x + 8)) $((y + 10))"
}

# Vorn's windows on the screen: the floating buttons, for one.
e2e_viewable_windows() {
  local window
  for window in $(xdotool search --class vorn.exe 2>/dev/null); do
    xwininfo -id "$window" | grep -q 'IsViewable' && echo "$window"
  done
  return 0
}
E2E_SHOWN_BEFORE_MENU=""

# The open popup menu of Vorn: "x y width height". Windows already on the
# screen before the menu was asked for (floating buttons) are not it.
e2e_open_menu() {
  local window info
  for window in $(xdotool search --class vorn.exe 2>/dev/null); do
    grep -qx "$window" <<< "$E2E_SHOWN_BEFORE_MENU" && continue
    info=$(xwininfo -id "$window")
    echo "$info" | grep -q 'IsViewable' || continue
    [ -z "$(xdotool getwindowname "$window" 2>/dev/null)" ] || continue
    echo "$info" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                        /Width:/ {w=$2} /Height:/ {h=$2} END {if (h > 10) print x, y, w, h; else exit 1}' && return 0
  done
  return 1
}

# Right-clicks the tray icon and clicks item `index` (from 0) of its `count` items.
e2e_tray_menu() {  # index count
  local point menu x y w h attempt
  point=$(e2e_wait_until 10 e2e_tray_icon_point) || { echo "    no tray icon found"; return 1; }
  E2E_SHOWN_BEFORE_MENU=$(e2e_viewable_windows)
  # A click that arrives while an earlier menu is still winding down is
  # swallowed: try again a few times.
  for attempt in 1 2 3 4; do
    if [ "$attempt" -gt 1 ]; then
      # Under Wine the first right click after the window was opened from the
      # menu can start a menu that never shows; Escape ends it.
      xdotool key Escape
      xdotool mousemove --sync 400 400
    fi
    # shellcheck disable=SC2086
    xdotool mousemove --sync $point click 3
    if e2e_wait_until 3 e2e_open_menu >/dev/null; then
      menu=$(e2e_open_menu) || continue
      read -r x y w h <<< "$menu"
      xdotool mousemove --sync $((x + w / 2)) $((y + h * (2 * $1 + 1) / (2 * $2))) click 1
      e2e_wait_until 5 e2e_menu_closed && return 0
      xdotool key Escape
    fi
  done
  echo "    the tray menu did not work; Vorn's windows:"
  e2e_describe_windows
  return 1
}

e2e_describe_windows() {
  local window
  for window in $(xdotool search --class vorn.exe 2>/dev/null); do
    echo "      $window '$(xdotool getwindowname "$window" 2>/dev/null)'" \
      "$(xwininfo -id "$window" | grep -E 'Absolute|Width|Height|Map State' | tr -s ' ' | tr '\n' ' ')"
  done
}

e2e_menu_closed() { ! e2e_open_menu >/dev/null; }

e2e_vorn_running() { [ -n "$E2E_VORN_PID" ] && kill -0 "$E2E_VORN_PID" 2>/dev/null; }

e2e_move() { xdotool mousemove --sync "$1" "$2" >/dev/null 2>&1 || xdotool mousemove "$1" "$2"; }

# The scale the monitor picture (of the page shown) is drawn at: the
# display's, or less where the box the dialog gives it is smaller. Its width,
# 230 pixels at 100 %, tells.
e2e_picture_dpi() {
  local left right
  read -r left _ right _ <<< "$(e2e_probe rect Vorn 1350)"
  echo $((((right - left) * 192 + 230) / 460))
}

# The screen point that shows the picture's point (x, y), in its 100 % units.
e2e_picture_point() {  # x y [dpi]
  local dpi=${3:-$(e2e_picture_dpi)} left top
  read -r left top _ _ <<< "$(e2e_probe rect Vorn 1350)"
  echo $((left + ($1 * dpi + 48) / 96)) $((top + ($2 * dpi + 48) / 96))
}

# On the Actions page, a click on the picture's lower right corner, then into
# the tree and End: the last item, the custom action under "Custom".
e2e_assign_last_action_to_lower_right_corner() {
  local tl tt tr
  e2e_move $(e2e_picture_point 210 159)
  xdotool click 1
  read -r tl tt tr _ <<< "$(e2e_probe rect Vorn 1904)"
  e2e_move $(((tl + tr) / 2)) $((tt + 10))
  xdotool click 1
  xdotool key End
}

# A custom action command line that appends a line to a log of its own in the
# working folder: one file per action, since launches run in parallel.
e2e_log_command() { printf 'cmd /c echo %s>>%s.log' "$2" "$1"; }

# Waits until `file` (in the working folder) holds a line equal to `text`.
e2e_wait_for_line() {
  local file=$E2E_WORK/$1 text=$2 timeout=${3:-15}
  local deadline=$((SECONDS + timeout))
  while [ $SECONDS -lt $deadline ]; do
    if [ -f "$file" ] && tr -d '\r' < "$file" | grep -qxF -- "$text"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Number of lines equal to `text` in `file`.
e2e_count_lines() {
  local file=$E2E_WORK/$1
  [ -f "$file" ] || { echo 0; return; }
  tr -d '\r' < "$file" | grep -cxF -- "$2" || true
}

e2e_check() {  # description, command...
  local what=$1
  shift
  if "$@"; then
    printf '  ok    %s\n' "$what"
  else
    printf '  FAIL  %s\n' "$what"
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

e2e_finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    echo "$E2E_FAILURES check(s) failed"
    return 1
  fi
  return 0
}
