#!/usr/bin/env bash
# Runs every end-to-end test script; fails when any fails.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
failed=0
for test in "$here"/*_test.sh; do
  echo "== $(basename "$test")"
  if ! bash "$test"; then
    echo "FAILED: $(basename "$test")"
    failed=1
  fi
done
exit $failed
