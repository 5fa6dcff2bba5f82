#!/usr/bin/env bash
# Installs what is missing, builds, and starts the Brindlecove Builder under
# Wine. With DISPLAY set it shows there; without one it runs on a private Xvfb
# display served to a browser on this machine, at the address it prints
# (scripts/browser-display.sh). --with-device also starts the emulated device
# (scripts/device-session.sh) for the Device Controller. --no-build starts the
# builder that is built already. Ending the script (Ctrl+C, SIGTERM) ends the
# builder and everything the script started. Where this host cannot run 32-bit
# programs, it starts the 64-bit build of the builder instead, and says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
tree=$(bc_windows_tree)
with_device=no build=yes
for option in "$@"; do
  case $option in
    --with-device) with_device=yes ;;
    --no-build) build=no ;;
    *) echo "usage: $0 [--with-device] [--no-build]" >&2; exit 2 ;;
  esac
done
if [ $build = yes ]; then "$root/scripts/build.sh" "$tree"; fi
export WINEPREFIX=${WINEPREFIX:-$root/build/user-prefix}
session=$root/build/user-session
display=$WINEPREFIX-display
. "$root/scripts/browser-display.sh"
bc_wine_quiet
if [ "$tree" = win64 ]; then
  echo "this host cannot run 32-bit programs: starting the 64-bit builder of build/win64"
fi
stop() {
  if [ $with_device = yes ]; then "$root/scripts/device-session.sh" stop "$session"; fi
  wineserver -k 2>/dev/null || true
  bc_browser_display_stop "$display"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
if [ -z "${DISPLAY:-}" ]; then bc_browser_display "$display"; fi
bc_wine_prefix "$WINEPREFIX"
# The Remote API stand-in goes where a desktop keeps rapi.dll, never beside the builder.
cp "$root/build/$tree/standins/rapi/rapi.dll" "$WINEPREFIX/drive_c/windows/system32/"
if [ $with_device = yes ]; then
  mkdir -p "$session"
  "$root/scripts/device-session.sh" start "$session" "$root/build/$tree"
  export BC_DEVICE_PORT=$(cat "$session/device-port")
fi
cd "$root/build/$tree/dist"
# In the background, so that a signal ends the wait at once.
wine Brindlecove.exe &
wait $!
