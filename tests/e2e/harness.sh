# End-to-end harness: Vorn.exe under Wine on a private X display, driven with
# xdotool, observed through the log files its custom actions append to.
# Source it from a test script; call e2e_begin first. Everything it starts is
# ended by e2e_end (installed as an EXIT trap by e2e_begin).
# shellcheck shell=bash

source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/common.sh"

E2E_VORN_EXE=${E2E_VORN_EXE:-$VORN_ROOT/build/windows/Vorn.exe}
E2E_FAILURES=0
E2E_VORN_PID=""

e2e_begin() {
  ensure_wine_prefix
  start_display
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/vorn-e2e.XXXXXX")
  trap e2e_end EXIT
}

e2e_end() {
  e2e_stop_vorn
  stop_started
  [ -n "${E2E_WORK:-}" ] && rm -rf "$E2E_WORK"
}

# Writes the working folder's Vorn.ini from standard input (LF or CR LF).
e2e_write_ini() {
  sed 's/\r*$/\r/' > "$E2E_WORK/Vorn.ini"
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

e2e_vorn_running() { [ -n "$E2E_VORN_PID" ] && kill -0 "$E2E_VORN_PID" 2>/dev/null; }

e2e_move() { xdotool mousemove --sync "$1" "$2" >/dev/null 2>&1 || xdotool mousemove "$1" "$2"; }

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
