#!/usr/bin/env bash
# Installs what is missing, builds, and starts the Brindlecove Builder under Wine
# (on a private Xvfb display when no display is set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" --win-only
export WINEPREFIX=${WINEPREFIX:-$root/build/user-prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
if [ -z "${DISPLAY:-}" ]; then
  n=70
  while [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=:$n
  echo "no display set: the builder runs on Xvfb display $DISPLAY"
fi
cd "$root/build/win/dist"
wine Brindlecove.exe
