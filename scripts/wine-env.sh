# shellcheck shell=bash
# Sourced: what every script here needs to run Windows programs under Wine.
#
# bc_host_runs_ia32 succeeds when this host's kernel runs 32-bit x86 Linux
# programs, as 32-bit Wine needs. Kernels without IA-32 emulation refuse them
# ("Exec format error"). The probe is a 93-byte static i386 program that only
# exits; it needs no i386 package. BC_NO_IA32=1 answers "no" on any host. The
# answer is taken once and exported (BC_HOST_IA32) to every script below.
bc_host_runs_ia32() {
  if [ -z "${BC_HOST_IA32:-}" ]; then
    BC_HOST_IA32=no
    if [ "${BC_NO_IA32:-}" != 1 ]; then
      local probe
      probe=$(mktemp)
      printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0%b' \
        '\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\61\333\315\200' >"$probe"
      chmod +x "$probe"
      if "$probe" 2>/dev/null; then BC_HOST_IA32=yes; fi
      rm -f "$probe"
    fi
    export BC_HOST_IA32
  fi
  [ "$BC_HOST_IA32" = yes ]
}

# bc_windows_tree names the build tree whose programs run here: win (the
# shipped 32-bit programs) where 32-bit Wine runs, win64 elsewhere.
bc_windows_tree() { if bc_host_runs_ia32; then echo win; else echo win64; fi; }

# Where 32-bit programs cannot run, Debian's wine wrapper must not be used: it
# starts the 32-bit loader whenever wine32 is installed. The 64-bit loader is
# started directly, and it starts every Windows program below it.
if ! bc_host_runs_ia32; then
  export WINELOADER=/usr/lib/wine/wine64
  wine() { "$WINELOADER" "$@"; }
  wineboot() { "$WINELOADER" wineboot.exe "$@"; }
  winecfg() { "$WINELOADER" winecfg.exe "$@"; }
fi

# bc_wine_arch FILE prints the Wine prefix architecture that the Windows
# program FILE needs: win64 for x86-64, win32 otherwise.
bc_wine_arch() {
  local header machine
  header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  machine=$(od -An -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' ')
  if [ "$machine" = 8664 ]; then echo win64; else echo win32; fi
}

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
# BC_WINE_ARCH (default: win32, as the shipped programs are 32-bit, where they
# can run, and win64 elsewhere), reporting Windows VERSION (a winecfg name such as
# winxp) when one is given, and exports WINEPREFIX and WINEARCH. A prefix made
# earlier for another architecture, say before 32-bit Wine was installed, is
# made anew. The prefix's wineserver keeps running until wineserver -k.
bc_wine_prefix() {
  local arch=win64
  if bc_host_runs_ia32; then arch=win32; fi
  export WINEPREFIX=$1 WINEARCH=${BC_WINE_ARCH:-$arch}
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
