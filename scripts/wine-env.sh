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

# bc_oldest_windows ARCH prints the winecfg name of the oldest Windows that
# the builder supports on the Wine architecture ARCH: the tests run as there.
bc_oldest_windows() { if [ "$1" = win64 ]; then echo winxp64; else echo winxp; fi; }

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
# winxp) when one is given, and exports WINEPREFIX and WINEARCH. The prefix's
# wineserver keeps running until wineserver -k.
#
# A prefix is ready once its wineboot ended with 0 and a trivial program ran in
# it; PREFIX/.ready records that, for which architecture and version, and the
# last key of its system.reg. Each use checks the cheap signs of a prefix
# broken since: the record, a system.reg that still holds that key and ends
# with a whole line (Wine starts on a cut registry, and saves it back cut),
# and one run of the trivial program (a missing kernel32.dll stops every
# program). A prefix that fails is removed and made again, once
# more when the new one fails too; then this stops (status 1) with the last
# lines of PREFIX.wineboot.log on the standard error.
bc_wine_prefix() {
  local arch=win64 attempt
  if bc_host_runs_ia32; then arch=win32; fi
  export WINEPREFIX=$1 WINEARCH=${BC_WINE_ARCH:-$arch}
  local identity="$WINEARCH ${2:-}" log=$WINEPREFIX.wineboot.log
  if [ -d "$WINEPREFIX" ]; then
    if bc_wine_prefix_recorded "$identity" && bc_wine_prefix_serve && bc_wine_program_runs >/dev/null 2>&1; then
      return 0
    fi
    echo "the Wine prefix $WINEPREFIX is not ready: making it anew"
  fi
  for attempt in 1 2; do
    if bc_wine_prefix_make "$identity" "${2:-}" && bc_wine_prefix_serve; then return 0; fi
    if [ $attempt = 1 ]; then echo "the new Wine prefix $WINEPREFIX does not work: making it once more" >&2; fi
  done
  wineserver -k 2>/dev/null || true
  echo "the Wine prefix $WINEPREFIX could not be made; the last lines of $log:" >&2
  tail -n 20 "$log" >&2
  return 1
}

# The trivial program, started by the loader that the prefix's programs get.
bc_wine_program_runs() { wine cmd /c exit 0 </dev/null; }

# bc_wine_prefix_recorded IDENTITY: the prefix was made ready for IDENTITY and
# its system.reg looks whole.
bc_wine_prefix_recorded() {
  local record=$WINEPREFIX/.ready registry=$WINEPREFIX/system.reg
  [ "$(head -n 1 "$record" 2>/dev/null)" = "$1" ] && [ -z "$(tail -c 1 "$registry" 2>/dev/null)" ] &&
    grep -qF -- "$(sed -n 2p "$record")" "$registry" 2>/dev/null
}

# A persistent server keeps every later Wine start in the prefix quick.
bc_wine_prefix_serve() {
  wineserver -p </dev/null >>"$WINEPREFIX.wineserver.log" 2>&1 || true
}

# bc_wine_prefix_make IDENTITY VERSION: a new prefix, recorded as ready when
# it passed. Its server is ended before the record, since Wine writes the
# registry files when the server ends.
bc_wine_prefix_make() {
  local log=$WINEPREFIX.wineboot.log last_key
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >"$log" 2>&1 || return 1
  if [ -n "$2" ]; then winecfg -v "$2" </dev/null >>"$log" 2>&1 || return 1; fi
  bc_wine_program_runs >>"$log" 2>&1 || return 1
  wineserver -k 2>/dev/null
  # The key part of the last key line: its time stamp changes with the key.
  last_key=$(grep '^\[' "$WINEPREFIX/system.reg" 2>/dev/null | tail -n 1 | sed 's/\] [0-9]*$/] /')
  [ -n "$last_key" ] || { echo "wine left no registry in $WINEPREFIX/system.reg" >>"$log"; return 1; }
  printf '%s\n%s\n' "$1" "$last_key" >"$WINEPREFIX/.ready"
}
