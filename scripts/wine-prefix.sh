# Sourced: bc_wine_prefix PREFIX [VERSION] makes PREFIX a ready Wine prefix
# for BC_WINE_ARCH (default win32: the shipped programs are 32-bit; win64 for
# the 64-bit configuration), reporting Windows VERSION (a winecfg name such as
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
