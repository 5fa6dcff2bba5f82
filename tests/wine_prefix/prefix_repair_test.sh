#!/usr/bin/env bash
# A Wine prefix is used only once it works, and made anew when it broke.
# With stand-ins of Wine's commands (fake_wine.sh): when a prefix is kept,
# when it is made anew, and how the making stops. With Wine itself: a prefix
# without kernel32.dll, and one whose system.reg was cut, are made anew by the
# next session, in which a program then runs.
# Usage: prefix_repair_test.sh SOURCE_DIR WORK_DIR (BC_WINE_ARCH: the real prefix's)
set -u
source_dir=$1 work=$2
status=0
fail() { echo "FAIL: $*"; status=1; }
rm -rf "$work"
mkdir -p "$work/bin"
for command in wine wineboot winecfg wineserver; do
  ln -s "$(cd "$(dirname "$0")" && pwd)/fake_wine.sh" "$work/bin/$command"
done

prefix=$work/fake
export FAKE_WINE_CALLS=$work/calls
# fake_prefix ARCH VERSION BOOTS: bc_wine_prefix with the stand-ins; its output goes to $work/out.
fake_prefix() {
  : >"$FAKE_WINE_CALLS"
  BC_HOST_IA32=yes BC_WINE_ARCH=$1 FAKE_WINE_BOOTS=$3 PATH=$work/bin:$PATH \
    bash -c '. "$1/scripts/wine-env.sh"; bc_wine_prefix "$2" "$3"' _ "$source_dir" "$prefix" "$2" >"$work/out" 2>&1
}
kernel32=$prefix/drive_c/windows/system32/kernel32.dll
# case | what is done to a prefix made ready for win32 and winxp | architecture version | wineboot outcomes |
# wineboot runs | status | a line of the output
cases=(
  "no prefix yet|rm -rf $prefix|win32 winxp|ok|1|0|"
  "a ready prefix is kept|:|win32 winxp||0|0|"
  "another architecture|:|win64 winxp||1|0|is not ready: making it anew"
  "another version|:|win32 win2k||1|0|is not ready: making it anew"
  "no record of readiness|rm $prefix/.ready|win32 winxp||1|0|is not ready: making it anew"
  "kernel32.dll removed|rm $kernel32|win32 winxp||1|0|is not ready: making it anew"
  "system.reg removed|rm $prefix/system.reg|win32 winxp||1|0|is not ready: making it anew"
  "system.reg cut within a line|truncate -s -2 $prefix/system.reg|win32 winxp||1|0|is not ready: making it anew"
  "system.reg cut before its last key|sed -i '/Select/,\$d' $prefix/system.reg|win32 winxp||1|0|is not ready: making it anew"
  "wineboot fails once|rm -rf $prefix|win32 winxp|fail ok|2|0|does not work: making it once more"
  "no program runs once|rm -rf $prefix|win32 winxp|bare ok|2|0|does not work: making it once more"
  "wineboot fails twice|rm -rf $prefix|win32 winxp|fail fail|2|1|status c0000135"
  "no program runs twice|rm $kernel32|win32 winxp|bare bare|2|1|the last lines of $prefix.wineboot.log:"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name damage identity boots makes expected message <<<"$row"
  fake_prefix win32 winxp ok || { fail "$name: no ready prefix to start from: $(cat "$work/out")"; continue; }
  eval "$damage"
  fake_prefix ${identity% *} "${identity#* }" "$boots"
  actual=$?
  [ "$actual" = "$expected" ] || fail "$name: status $actual, not $expected: $(cat "$work/out")"
  [ "$(grep -c . "$FAKE_WINE_CALLS")" = "$makes" ] || fail "$name: $(grep -c . "$FAKE_WINE_CALLS") wineboot runs, not $makes"
  if [ -z "$message" ]; then
    [ ! -s "$work/out" ] || fail "$name: nothing to say, but: $(cat "$work/out")"
  else
    grep -qF -- "$message" "$work/out" || fail "$name: no \"$message\" in: $(cat "$work/out")"
  fi
done

# With Wine itself, through the sessions that the tests and benchmarks open.
session=$work/session
real_prefix=$session/wineprefix
open() { "$source_dir/scripts/wine-session.sh" open "$session" >"$work/out" 2>&1; }
close() { "$source_dir/scripts/wine-session.sh" close "$session" >/dev/null 2>&1; }
program_runs() { BC_SESSION_DIR=$session "$source_dir/scripts/wine-run.sh" cmd /c exit 0; }
trap close EXIT
open && close || fail "no first session: $(cat "$work/out")"
for damage in "rm $real_prefix/drive_c/windows/system32/kernel32.dll" \
  "truncate -s \$((\$(stat -c %s $real_prefix/system.reg) / 2)) $real_prefix/system.reg"; do
  eval "$damage"
  : >"$real_prefix/untouched"
  if ! open; then
    fail "after $damage, no session: $(cat "$work/out")"
    continue
  fi
  [ ! -e "$real_prefix/untouched" ] || fail "after $damage, the prefix was not made anew"
  program_runs || fail "after $damage, no program runs in the session"
  close
  : >"$real_prefix/untouched"
  open && [ -e "$real_prefix/untouched" ] || fail "after $damage, the next session did not keep the prefix"
  close
done
[ $status -eq 0 ] && echo "every prefix was kept or made anew as it should be"
exit $status
