#!/usr/bin/env bash
# The release as an administrator meets it: scripts/release.sh makes the
# installer and the zip; the installer runs silently in a fresh 32-bit Wine
# prefix; every file of the builder's folder must be in place, listed in Add/
# Remove Programs and on the Start menu; the installed builder (DRIVER) shows
# the release version and builds a package into its output folder; the silent
# uninstaller then removes the program's files but keeps that package, and the
# interactive one removes it only when the user agrees.
# Skipped (77) where makensis is missing, and where this host cannot run
# 32-bit programs, once the installer's file list has been checked.
# Usage: installer_test.sh SOURCE_DIR BUILD_DIR DRIVER
set -u
source_dir=$1 build=$2 driver=$3
command -v makensis >/dev/null || { echo "makensis is not installed: skipped"; exit 77; }
session=$build/release-session
release=$source_dir/build/release
version=$(head -n 1 "$source_dir/VERSION")
setup=$release/Brindlecove-$version-setup.exe
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlecove'
status=0
fail() { echo "FAIL: $*"; status=1; }
file_list() { (cd "$1" && find . -type f -printf '%P\n' | sort); }

start=$(date +%s)
"$source_dir/scripts/release.sh" --no-build || exit 1
stage=$release/Brindlecove

# The installer's own stub must load on Windows XP SP3 and ask for elevation.
header=$(i686-w64-mingw32-objdump -p "$setup")
subsystem=$(awk '/MajorSubsystemVersion/ {major=$2} /MinorSubsystemVersion/ {minor=$2} END {print major*100+minor}' <<<"$header")
[ "$subsystem" -le 501 ] || fail "the installer needs Windows subsystem $subsystem, newer than XP's 501"
grep -q 'file format pei-i386' <<<"$header" || fail "the installer is not a 32-bit x86 program"
grep -aq 'requestedExecutionLevel level="requireAdministrator"' "$setup" || fail "the installer does not ask for an administrator"

# Where 32-bit programs cannot run, the installer's files are still read
# (7-Zip reads NSIS installers) and compared with the zip's; the rest is skipped.
. "$source_dir/scripts/wine-env.sh"
if ! bc_host_runs_ia32; then
  command -v 7z >/dev/null || { echo "FAIL: 7z is not installed"; exit 1; }
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  7z x -y -o"$unpacked/setup" "$setup" >/dev/null || fail "7-Zip cannot read the installer"
  unzip -q "$release/Brindlecove-$version.zip" -d "$unpacked/zip" || fail "the zip cannot be read"
  rm -rf "$unpacked/setup/\$PLUGINSDIR" "$unpacked/setup/uninstall.exe"
  diff -r "$unpacked/setup" "$unpacked/zip/Brindlecove" || fail "the installer's files differ from the zip's"
  [ $status -eq 0 ] || exit 1
  echo "the installer holds the zip's files, byte for byte; running it needs 32-bit Wine, which this host cannot run: skipped"
  exit 77
fi

"$source_dir/scripts/wine-session.sh" close "$session" >/dev/null 2>&1
rm -rf "$session"
"$source_dir/scripts/wine-session.sh" open "$session" >/dev/null || exit 1
trap '"$source_dir/scripts/wine-session.sh" close "$session"' EXIT
export BC_SESSION_DIR=$session
run() { "$source_dir/scripts/wine-run.sh" "$@"; }
installed=$session/wineprefix/drive_c/Program\ Files/Vantrel/Brindlecove

run "$(printf 'Z:%s' "${setup//\//\\}")" /S || fail "the silent install failed"
echo "installed in $(( $(date +%s) - start ))s"
[ -d "$installed" ] || { echo "FAIL: nothing in C:\\Program Files\\Vantrel\\Brindlecove"; exit 1; }
diff <(file_list "$stage") <(file_list "$installed" | grep -vx uninstall.exe) || fail "the installed folder differs from the builder's folder"
while read -r file; do
  cmp -s "$stage/$file" "$installed/$file" || fail "installed $file differs"
done < <(file_list "$stage")
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
diff <(file_list "$installed" | grep -vx uninstall.exe) \
  <(unzip -Z1 "$release/Brindlecove-$version.zip" | grep -v '/$' | sed 's|^Brindlecove/||' | sort) ||
  fail "the zip's listing differs from the installed folder"
entry=$(run reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName.*Brindlecove Builder" "DisplayVersion.*$version" "Publisher.*Vantrel" \
  'UninstallString.*C:\\Program Files\\Vantrel\\Brindlecove\\uninstall.exe'; do
  grep -q "$value" <<<"$entry" || fail "Add/Remove Programs entry lacks $value"
done
grep -q "Version $version\." "$installed/docs/index.html" || fail "the help pages do not name version $version"
grep -qF '\Program Files\Vantrel\Brindlecove' "$installed/docs/building.html" || fail "the help pages do not name the folder"
shortcut=$(find "$session/wineprefix/drive_c" -name 'Brindlecove Builder.lnk' -print -quit)
[ -n "$shortcut" ] || fail "no Start menu shortcut"

export BC_INSTALLED_FOLDER='C:\Program Files\Vantrel\Brindlecove'
driver=$(printf 'Z:%s' "${driver//\//\\}")
run "$driver" --gtest_filter='InstalledBuilder.*' || fail "the installed builder"

run 'C:\Program Files\Vantrel\Brindlecove\uninstall.exe' /S || fail "the silent uninstall failed"
# The uninstaller runs on from a copy of itself and returns at once.
for _ in $(seq 600); do [ -e "$installed/uninstall.exe" ] || break; sleep 0.1; done
while read -r file; do
  [ ! -e "$installed/$file" ] || fail "the uninstaller left $file"
done < <(file_list "$stage"; echo uninstall.exe)
[ -f "$installed/output/Brindlecove.PPC_ARM.CAB" ] || fail "the silent uninstall removed the user's package"
[ -f "$installed/setup.inf" ] || fail "the silent uninstall removed the builder's setup.inf"
[ ! -e "$shortcut" ] || fail "the Start menu shortcut is still there"
! run reg query "$key" >/dev/null 2>&1 || fail "the Add/Remove Programs entry is still there"
# Interactive uninstalls, each after a new silent install: the question about
# what the builder made, answered No and then Yes.
BC_SETUP=$(printf 'Z:%s' "${setup//\//\\}") run "$driver" --gtest_filter='Uninstaller.*' || fail "the interactive uninstaller"
[ ! -e "$installed" ] || fail "the folder is still there after the uninstall that removed everything"
echo "installer test took $(( $(date +%s) - start ))s"
exit $status
