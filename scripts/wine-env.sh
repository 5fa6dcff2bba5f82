# shellcheck shell=bash
# Sourced: what every script here needs to run Windows programs under Wine.
#
# bc_wine_quiet exports the Wine settings of every run: no debug output, and
# no Mono or Gecko installer offered when a prefix is made. Settings that the
# caller exported already are kept, for debugging a run.
bc_wine_quiet() {
  export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# bc_windows_path PATH prints the Windows form (Z:\...) of a Linux path.
bc_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# bc_start_xvfb FIRST LOG starts an Xvfb display on the first free number from
# FIRST on, logging to LOG, and returns once the display is up (5 s at most).
# It sets DISPLAY (without exporting it) and bc_xvfb_pid.
bc_start_xvfb() {
  local n=$1 _
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$2" 2>&1 &
  bc_xvfb_pid=$!
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  DISPLAY=:$n
}

# bc_wine_prefix PREFIX [VERSION] makes PREFIX a ready Wine prefix for
# BC_WINE_ARCH (default win32: the shipped programs are 32-bit; win64 for the
# 64-bit configuration), reporting Windows VERSION (a winecfg name such as
# winxp) when one is given, and exports WINEPREFIX and WINEARCH. A prefix made
# earlier for another architecture, say before 32-bit Wine was installed, is
# made anew. The prefix's wineserver keeps running until wineserver -k.
bc_wine_prefix() {
  export WINEPREFIX=$1 WINEARCH=${BC_WINE_ARCH:-win32}
  if [ -f "$WINEPREFIX/system.reg" ] && ! grep -qx "#arch=$WINEARCH" "$WINEPREFIX/system.reg"; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"
  # A persistent server keeps every later Wine start in the prefix quick.
  wineserver -p </dev/null >>"$WINEPREFIX.wineserver.log" 2>&1 || true
  wineboot -i </dev/null >"$WINEPREFIX.wineboot.log" 2>&1
  if [ -n "${2:-}" ]; then winecfg -v "$2" </dev/null >>"$WINEPREFIX.wineboot.log" 2>&1; fi
}
