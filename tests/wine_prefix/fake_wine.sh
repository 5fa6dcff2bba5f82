#!/bin/sh
# Stands in for wine, wineboot, winecfg and wineserver, by the name it is
# started as, so that the making of a prefix can be steered and counted.
# Each wineboot is logged to FAKE_WINE_CALLS; FAKE_WINE_BOOTS lists how each
# wineboot in turn ends: ok, fail (status 1, as when Wine cannot load
# kernel32.dll) or bare (status 0 but no kernel32.dll); past the list, ok.
# wine runs a program only where kernel32.dll is.
system32=$WINEPREFIX/drive_c/windows/system32
case $(basename "$0") in
wineboot)
  echo wineboot >>"$FAKE_WINE_CALLS"
  outcome=$(echo "${FAKE_WINE_BOOTS:-}" | awk -v n="$(grep -c . "$FAKE_WINE_CALLS")" '{ print $n }')
  mkdir -p "$system32"
  printf 'WINE REGISTRY Version 2\n\n#arch=%s\n\n[System\\\\Select] 1\n"Current"=dword:00000001\n' "$WINEARCH" \
    >"$WINEPREFIX/system.reg"
  case $outcome in
  fail) echo "wine: could not load kernel32.dll, status c0000135"; exit 1 ;;
  bare) ;;
  *) : >"$system32/kernel32.dll" ;;
  esac ;;
wine)
  [ -f "$system32/kernel32.dll" ] || { echo "wine: could not load kernel32.dll, status c0000135" >&2; exit 53; } ;;
esac
