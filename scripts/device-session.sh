#!/usr/bin/env bash
# The emulated device beside a builder session.
#   start DIR BUILD [PORT]: makes the device's own Wine prefix DIR/device-prefix
#     (its C:\windows is the device's \Windows, its virtual desktop the
#     device's 240x320 screen) once, for the architecture of
#     BUILD's programs, puts BUILD's bcmgr.dll
#     there and starts BUILD's emulated_device.exe in it, with its own
#     wineserver, on the display of DIR/env (or $DISPLAY). PORT defaults to 0:
#     any free port. The port taken is written to DIR/device-port and, as
#     BC_DEVICE_PORT, appended to DIR/env for the programs of the session.
#     Calls are logged to DIR/device-calls.log.
#   stop DIR: ends the device and its wineserver.
set -eu
. "$(dirname "$0")/wine-env.sh"
action=$1 dir=$2
prefix=$dir/device-prefix
device_env() {
  if [ -f "$dir/env" ]; then . "$dir/env"; fi
  export WINEPREFIX=$prefix
  bc_wine_quiet
}
case "$action" in
start)
  build=$3 port=${4:-0}
  "$0" stop "$dir" >/dev/null 2>&1 || true
  device_env
  # Of the tree's architecture, as the device modules that it loads are.
  BC_WINE_ARCH=$(bc_wine_arch "$build/standins/emulated_device/emulated_device.exe") bc_wine_prefix "$prefix"
  # The device's screen: a Pocket PC's 240x320 as a Wine virtual desktop that
  # every window of the prefix opens in, so that GetSystemMetrics gives its size.
  if ! grep -q '^"Device"="240x320"' "$prefix/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Device /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Device /d 240x320 /f >/dev/null 2>&1
  fi
  windows=$prefix/drive_c/windows
  if [ -f "$build/dist/pocketpc/x86/bcmgr.dll" ]; then cp "$build/dist/pocketpc/x86/bcmgr.dll" "$windows/"; fi
  # The device's package installer, which Install starts on a sent package.
  if [ -f "$build/standins/ce_installer/wceload.exe" ]; then cp "$build/standins/ce_installer/wceload.exe" "$windows/"; fi
  rm -f "$windows/rapi-deny-all" "$windows/rapi-unplugged" "$windows/processor-type" "$dir/device-port" "$dir/device-calls.log"
  wine "$build/standins/emulated_device/emulated_device.exe" --port "$port" \
    --port-file "$(bc_windows_path "$dir/device-port")" --log "$(bc_windows_path "$dir/device-calls.log")" \
    </dev/null >"$dir/device.log" 2>&1 &
  for _ in $(seq 300); do [ -s "$dir/device-port" ] && break; sleep 0.1; done
  if [ ! -s "$dir/device-port" ]; then echo "the emulated device did not start (see $dir/device.log)" >&2; exit 1; fi
  port=$(tr -d '\r\n' <"$dir/device-port")
  if [ -f "$dir/env" ]; then echo "export BC_DEVICE_PORT=$port" >>"$dir/env"; fi
  echo "emulated device on 127.0.0.1:$port, prefix $prefix"
  ;;
stop)
  if [ -d "$prefix" ]; then (device_env; wineserver -k 2>/dev/null || true); fi
  if [ -f "$dir/env" ]; then sed -i '/^export BC_DEVICE_PORT=/d' "$dir/env"; fi
  rm -f "$dir/device-port"
  ;;
esac
