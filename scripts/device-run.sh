#!/usr/bin/env bash
# Runs a Windows program inside the emulated device's Wine prefix (see
# device-session.sh), where its windows open in the device's screen-sized
# virtual desktop: the device's own programs, and tests that drive them.
# Usage: device-run.sh PROGRAM [ARGS...], in the session of BC_SESSION_DIR.
set -u
session=${BC_SESSION_DIR:?needs the Wine session}
. "$session/env"
export WINEPREFIX=$session/device-prefix
# wine-run.sh would take the session's own prefix again.
BC_SESSION_DIR= exec "$(dirname "$0")/wine-run.sh" "$@"
