#!/usr/bin/env bash
# open DIR: starts an Xvfb display, makes a private Wine prefix and keeps its
# wineserver running; writes DIR/env for wine-run.sh; installs the Remote API
# stand-in RAPI (default DIR/../standins/rapi/rapi.dll) where a desktop keeps
# it, when it was built. close DIR: ends them and the emulated device.
# BC_WINE_ARCH: the prefix's architecture, win32 unless set (wine-env.sh).
set -eu
. "$(dirname "$0")/wine-env.sh"
action=$1 dir=$2
rapi=${3:-$dir/../standins/rapi/rapi.dll}
mkdir -p "$dir"
case "$action" in
open)
  "$0" close "$dir" >/dev/null 2>&1 || true
  bc_start_xvfb 90 "$dir/xvfb.log"
  echo $bc_xvfb_pid >"$dir/xvfb.pid"
  cat >"$dir/env" <<ENV
export DISPLAY=$DISPLAY
export WINEPREFIX=$dir/wineprefix
export WINEARCH=${BC_WINE_ARCH:-win32}
ENV
  . "$dir/env"
  bc_wine_quiet
  bc_wine_prefix "$WINEPREFIX" "$(bc_oldest_windows "$WINEARCH")"
  if [ -f "$rapi" ]; then cp "$rapi" "$WINEPREFIX/drive_c/windows/system32/"; fi
  echo "wine session on display $DISPLAY, prefix $WINEPREFIX"
  ;;
close)
  "$(dirname "$0")/device-session.sh" stop "$dir" 2>/dev/null || true
  if [ -f "$dir/env" ]; then . "$dir/env"; wineserver -k 2>/dev/null || true; fi
  if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; rm -f "$dir/xvfb.pid"; fi
  ;;
esac
