#!/usr/bin/env bash
# Runs a Windows program under Wine, in the session the test harness opened
# (BC_SESSION_DIR) or, for a manual run, in the prefix given by WINEPREFIX.
set -u
if [ -n "${BC_SESSION_DIR:-}" ] && [ -f "$BC_SESSION_DIR/env" ]; then
  . "$BC_SESSION_DIR/env"
fi
. "$(dirname "$0")/wine-env.sh"
bc_wine_quiet
exec wine "$@"
