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
# A program that crashed in one of its threads can still end with status 0
# under Wine: the crash report decides.
if [ $status -eq 0 ] && grep -q '^wine: Unhandled' "$err"; then
  echo "wine-run.sh: the program crashed (above), although it ended with status 0" >&2
  status=1
fi
exit $status
