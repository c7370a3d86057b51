#!/usr/bin/env bash
# Custom command lines are split into program and parameters before they go
# to the shell: a quoted program path with spaces keeps its quotes and gets the
# arguments; an unquoted program gets the whole rest, spaces and all.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

e2e_begin
echo "command lines"

# Two batch files that log the parameters they were given.
mkdir -p "$E2E_WORK/tools folder"
printf '@echo %%*>>quoted.log\r\n' > "$E2E_WORK/tools folder/log quoted.bat"
printf '@echo %%*>>unquoted.log\r\n' > "$E2E_WORK/log.bat"
quoted_path=$(winepath -w "$E2E_WORK/tools folder/log quoted.bat" 2>/dev/null)

{
  echo "[Settings]"
  echo "First run=False"
  echo "[Actions, Plain]"
  echo "Left side=Quoted"
  echo "Right side=Unquoted"
  echo "[Custom actions]"
  echo "Name 1=Quoted"
  echo "ActionA 1=\"\"$quoted_path\" first second\""
  echo "Name 2=Unquoted"
  echo "ActionA 2=log.bat C:\\My Documents\\a file.txt"
} | e2e_write_ini

e2e_move 960 540
e2e_start_vorn
e2e_check "a quoted program path with spaces gets its arguments" \
  e2e_wait_until_ready 0 540 quoted.log "first second"
e2e_move 960 540
e2e_move 1919 540
e2e_check "an unquoted program gets the whole rest, spaces included" \
  e2e_wait_for_line unquoted.log 'C:\My Documents\a file.txt'
e2e_move 960 540

e2e_finish
