#!/usr/bin/env bash
# Installs what is missing, builds, and starts the Brindlecove Builder under Wine
# (on a private Xvfb display when no display is set). --with-device also starts
# the emulated device (scripts/device-session.sh) for the Device Controller.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
with_device=no
if [ "${1:-}" = "--with-device" ]; then with_device=yes; fi
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
. "$root/scripts/wine-prefix.sh"
bc_wine_prefix "$WINEPREFIX"
# The Remote API stand-in goes where a desktop keeps rapi.dll, never beside the builder.
cp "$root/build/win/standins/rapi/rapi.dll" "$WINEPREFIX/drive_c/windows/system32/"
if [ $with_device = yes ]; then
  session=$root/build/user-session
  mkdir -p "$session"
  trap '"$root/scripts/device-session.sh" stop "$session"; kill ${xvfb:-} 2>/dev/null || true' EXIT
  "$root/scripts/device-session.sh" start "$session" "$root/build/win"
  export BC_DEVICE_PORT=$(cat "$session/device-port")
fi
cd "$root/build/win/dist"
wine Brindlecove.exe
