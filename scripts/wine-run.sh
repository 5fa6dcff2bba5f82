#!/usr/bin/env bash
# Runs a Windows program under Wine, in the session the test harness opened
# (BC_SESSION_DIR) or, for a manual run, in the prefix given by WINEPREFIX.
# The program's output is passed on when it has ended: what it started may
# outlive it (an engine with its console, say), and those get files rather than
# this script's output, so that a caller that reads the output to its end
# (CTest) is not held up by them.
set -u
if [ -n "${BC_SESSION_DIR:-}" ] && [ -f "$BC_SESSION_DIR/env" ]; then
  . "$BC_SESSION_DIR/env"
fi
. "$(dirname "$0")/wine-env.sh"
bc_wine_quiet
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit $status
