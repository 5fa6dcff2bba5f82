#!/usr/bin/env bash
# bcpack_cabinets_test.sh DIST DUMP SOURCE_ROOT FILL
# Runs the real bcpack.exe (through mksetup.bat) under Wine in builder's
# folders laid out as Build leaves them (FILL fills the shipped template with
# Build's own substitution), then checks the cabinets with cabextract, 7z and
# an independent reader of the setup file.
set -u
dist=$1 dump=$2 root=$3 fill=$4
run=$root/scripts/wine-run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

# Device files may not be built yet: random stand-ins do for packing, each
# processor's folder with files of its own.
make_builder_folder() {
  local dir=$1 with_logo=$2 processor f
  # The shipped script from the sources: GUI tests put scripts of their own
  # into the built builder's folder while they run.
  mkdir -p "$dir"
  cp "$dist/bcpack.exe" "$root/builder/build/shipped/mksetup.bat" "$dir/"
  for processor in arm x86; do
    mkdir -p "$dir/pocketpc/$processor"
    for f in brindlecove.exe bcmgr.dll BCESetup.dll bcebtn.exe; do
      head -c 3000 /dev/urandom >"$dir/pocketpc/$processor/$f"
    done
  done
  printf '1234' >"$dir/abce.pac"
  printf '1;0;Word;\\windows\\pword.exe;;' >"$dir/set.alf"
  [ "$with_logo" = 1 ] && head -c 5000 /dev/urandom >"$dir/bce_logofile"
  cp "$root/builder/build/shipped/setup_tmpl.inf" "$dir/"
  (cd "$dir" && "$run" "$fill" setup_tmpl.inf "$with_logo" setup.inf) || fail "the template could not be filled"
}

# The extracted member with the given number, e.g. "003".
member() { ls "$1"/*."$2" 2>/dev/null | head -n 1; }

# check_cabinet DIR CAB "NAME=SOURCE ..." : lists, extracts and compares every member.
check_cabinet() {
  local dir=$1 cab=$2 expected=$3 count
  [ -f "$cab" ] || { fail "no cabinet $cab"; return; }
  cabextract -l "$cab" >"$dir/list.txt" 2>&1 || fail "cabextract -l $cab: $(cat "$dir/list.txt")"
  7z l "$cab" >"$dir/7z.txt" 2>&1 || fail "7z l $cab: $(cat "$dir/7z.txt")"
  cabextract -t "$cab" >"$dir/test.txt" 2>&1 || fail "cabextract -t $cab: $(cat "$dir/test.txt")"
  7z t "$cab" >"$dir/test.txt" 2>&1 || fail "7z t $cab: $(cat "$dir/test.txt")"
  rm -rf "$dir/x"
  cabextract -q -d "$dir/x" "$cab" || fail "cabextract -d $cab"
  local setup; setup=$(member "$dir/x" 000)
  [ -n "$setup" ] || { fail "no .000 setup file in $cab"; return; }
  (cd "$dir/x" && "$run" "$dump" "$(basename "$setup")") >"$dir/dump.txt" 2>"$dir/dump.err" ||
    fail "setup file unreadable: $(cat "$dir/dump.err")"
  count=1
  for pair in $expected; do
    local name=${pair%%=*} source=${pair#*=} line number
    if [ "$name" = SETUPDLL ]; then number=999; else
      number=$(tr -d '\r' <"$dir/dump.txt" |
        awk -v n="$name" '$1 == "file" { p = $2; sub(/.*\\/, "", p); if (p == n) { print $NF; exit } }')
      [ -n "$number" ] || { fail "$cab: $name not installed"; continue; }
      number=$(printf '%03d' "$number")
    fi
    cmp -s "$(member "$dir/x" "$number")" "$dir/$source" || fail "$cab: member .$number differs from $source"
    grep -q "\.$number\$" "$dir/list.txt" || fail "cabextract -l does not list .$number"
    grep -q "\.$number\$" "$dir/7z.txt" || fail "7z l does not list .$number"
    count=$((count + 1))
  done
  [ "$(ls "$dir/x" | wc -l)" -eq "$count" ] || fail "$cab holds $(ls "$dir/x" | wc -l) members, expected $count"
}

expect_dump() {  # expect_dump DIR LINE...
  local dir=$1; shift
  for want in "$@"; do grep -qxF -- "$want" <(tr -d '\r' <"$dir/dump.txt") || fail "setup file lacks: $want"; done
}

# expect_packing CAB METHOD: every member of the cabinet is packed with METHOD.
expect_packing() {
  local methods
  methods=$(7z l -slt "$1" | sed -n 's/^Method = //p' | sort -u)
  [ "$methods" = "$2" ] || fail "$1 is packed with '$methods', expected $2"
}

# files_of FOLDER: the members every package holds, its programs from pocketpc/FOLDER.
files_of() {
  echo "Brindlecove.exe=pocketpc/$1/brindlecove.exe bcebtn.exe=pocketpc/$1/bcebtn.exe set.alf=set.alf
    abce.pac=abce.pac bcmgr.dll=pocketpc/$1/bcmgr.dll SETUPDLL=pocketpc/$1/BCESetup.dll"
}
files_common=$(files_of arm)
reg='HKLM\Software\Brindlecove'
# One package per processor: target, programs' folder, processor type.
packages="PPC_ARM:arm:2577 PPC_X86:x86:686"

for logo in 1 0; do
  dir=$work/logo$logo
  make_builder_folder "$dir" $logo
  (cd "$dir" && "$run" cmd /c mksetup.bat) >"$dir/run.txt" 2>&1 || fail "mksetup.bat failed: $(cat "$dir/run.txt")"
  for package in $packages; do
  IFS=: read -r target folder processor <<<"$package"
  cab=$dir/output/Brindlecove.$target.CAB
  expected=$(files_of "$folder")
  [ $logo = 1 ] && expected="$expected bce_logofile=bce_logofile"
  check_cabinet "$dir" "$cab" "$expected"
  expect_packing "$cab" MSZip
  expect_dump "$dir" "app Brindlecove" "provider Vantrel" "processor $processor" \
    "reg $reg\\AppPath sz \\Windows\\pword.exe" "reg $reg\\AppParams sz -f 50% off" \
    "reg $reg\\AppCountdown dword 15" "reg $reg\\DisableActiveSync dword 1" "reg $reg\\DisableHardButtons dword 9" \
    "reg $reg\\EnableKioskDesktop dword 2" "reg $reg\\KioskDesktopTitle sz [Enter Desktop Title Text here]" \
    "reg $reg\\UnlockOnTitleTap dword 3" "reg $reg\\ShowSipIcon dword 4" "reg $reg\\EnableTaskbar dword 5" \
    "reg $reg\\ShowTaskbar dword 6" "reg $reg\\ShowVersion dword 7" "reg $reg\\DisableContinueButton dword 8" \
    "reg $reg\\RestartDelay dword 65535" "reg $reg\\Language sz brazilian" "reg $reg\\ShowLogo dword $logo" \
    "reg $reg\\FitLogoToScreen dword 10"
  for f in 'Brindlecove.exe' 'bcebtn.exe' 'set.alf'; do
    grep -q "^file %CE1%\\\\Brindlecove\\\\$f " "$dir/dump.txt" || fail "$f not in %CE1%\\Brindlecove"
  done
  for f in abce.pac bcmgr.dll; do grep -q "^file %CE2%\\\\$f " "$dir/dump.txt" || fail "$f not in %CE2%"; done
  if [ $logo = 0 ] && grep -q bce_logofile "$dir/dump.txt"; then fail "logo packed without a logo"; fi
  done
  ls "$dir/output" | grep -v '^Brindlecove.PPC_\(ARM\|X86\).CAB$' && fail "other files left in output"
done

# The programs of the built builder's folder: the ARM package holds the
# device modules' Windows CE ARM images, the x86 package x86 programs only.
dir=$work/built
make_builder_folder "$dir" 1
for folder in arm x86; do cp "$dist/pocketpc/$folder"/* "$dir/pocketpc/$folder/"; done
(cd "$dir" && "$run" cmd /c mksetup.bat) >"$dir/run.txt" 2>&1 || fail "built: mksetup.bat failed: $(cat "$dir/run.txt")"
# expect_programs TARGET KIND PATTERN: the target's cabinet holds four programs
# (the engine, bcmgr.dll, BCESetup.dll, bcebtn.exe), each one PATTERN by file.
expect_programs() {
  local x=$dir/x-$1 member kind programs=0
  rm -rf "$x" && cabextract -q -d "$x" "$dir/output/Brindlecove.$1.CAB" || { fail "built: $1 cabinet unreadable"; return; }
  for member in "$x"/*; do
    kind=$(file -b "$member")
    [[ $kind == PE32* ]] || continue
    programs=$((programs + 1))
    grep -Eq "$3" <<<"$kind" || fail "built: $2 package member $(basename "$member") is $kind"
  done
  [ $programs -eq 4 ] || fail "built: the $2 cabinet holds $programs programs, not four"
}
expect_programs PPC_ARM ARM '\(Windows CE\) ARM'
expect_programs PPC_X86 x86 'Intel 80386|x86-64'
for f in bcmgr.dll BCESetup.dll bcebtn.exe brindlecove.exe; do
  found=
  for member in "$dir/x-PPC_ARM"/*; do cmp -s "$member" "$dir/pocketpc/arm/$f" && found=1; done
  [ -n "$found" ] || fail "built: the ARM cabinet lacks pocketpc/arm/$f"
done

# --store keeps the members as they are.
dir=$work/stored
make_builder_folder "$dir" 1
(cd "$dir" && "$run" bcpack.exe --store setup.inf output) >"$dir/run.txt" 2>&1 || fail "bcpack --store failed"
check_cabinet "$dir" "$dir/output/Brindlecove.PPC_ARM.CAB" "$files_common bce_logofile=bce_logofile"
expect_packing "$dir/output/Brindlecove.PPC_ARM.CAB" None

# A package script run that fails after a good one leaves no package, only
# the report with the tool's message; a good run removes the report again.
dir=$work/stale
make_builder_folder "$dir" 1
(cd "$dir" && "$run" cmd /c mksetup.bat) >/dev/null 2>&1
[ -f "$dir/output/Brindlecove.PPC_ARM.CAB" ] || fail "stale: the first run made no cabinet"
sed -i 's/AppCountdown, *0x00010001, 15/AppCountdown, 0x00010001, fifteen/' "$dir/setup.inf"
(cd "$dir" && "$run" cmd /c mksetup.bat) >/dev/null 2>&1
[ "$(ls "$dir/output")" = "package-failed.txt" ] || fail "stale: output holds $(ls "$dir/output")"
report=$(tr -d '\r' <"$dir/output/package-failed.txt" 2>/dev/null)
[ "$(head -n 1 <<<"$report")" = "The package could not be made. The package tool reported:" ] ||
  fail "stale: report begins '$(head -n 1 <<<"$report")'"
grep -q '^setup.inf([0-9]*): error: bad registry line: "fifteen" is not a DWORD number$' <<<"$report" ||
  fail "stale: the report lacks the tool's message: $report"
make_builder_folder "$dir" 1
(cd "$dir" && "$run" cmd /c mksetup.bat) >/dev/null 2>&1
[ "$(ls "$dir/output" | tr '\n' ' ')" = "Brindlecove.PPC_ARM.CAB Brindlecove.PPC_X86.CAB " ] ||
  fail "stale: after a good run output holds $(ls "$dir/output")"

# expect_failure NAME EDIT NEEDLE MESSAGE: after EDIT (run in the folder),
# bcpack fails with one message naming setup.inf and the line that matches
# the regular expression NEEDLE.
expect_failure() {
  local name=$1 edit=$2 needle=$3 message=$4 line err
  dir=$work/fail_$name
  make_builder_folder "$dir" 1
  (cd "$dir" && eval "$edit")
  line=$(grep -n -- "$needle" "$dir/setup.inf" | head -n 1 | cut -d: -f1)
  (cd "$dir" && "$run" bcpack.exe setup.inf output) >"$dir/out.txt" 2>"$dir/err.txt"
  local code=$?
  err=$(tr -d '\r' <"$dir/err.txt")
  [ $code -ne 0 ] || fail "$name: exit code 0"
  [ "$err" = "setup.inf($line): error: $message" ] || fail "$name: message '$err', expected line $line: $message"
  [ -z "$(ls -A "$dir/output" 2>/dev/null)" ] || fail "$name: output holds $(ls "$dir/output")"
}
expect_failure missing_section "sed -i 's/^\[Files.Windows\]/[Files.Other]/' setup.inf" "CopyFiles" \
  "section [Files.Windows] not found"
expect_failure missing_file "rm pocketpc/arm/bcmgr.dll" "^bcmgr\.dll.$" "file not found: pocketpc\\arm\\bcmgr.dll"
expect_failure missing_x86_file "rm pocketpc/x86/bcebtn.exe" "^bcebtn\.exe.$" "file not found: pocketpc\\x86\\bcebtn.exe"
expect_failure bad_registry "sed -i 's/AppCountdown, *0x00010001, 15/AppCountdown, 0x00010001, fifteen/' setup.inf" \
  "fifteen" "bad registry line: \"fifteen\" is not a DWORD number"
expect_failure unknown_macro "sed -i 's/%CE2%/%CE99%/' setup.inf" "%CE99%" "unknown macro %CE99%"

# A cabinet that cannot be written leaves no partial file behind.
dir=$work/locked
make_builder_folder "$dir" 0
mkdir -p "$dir/output/Brindlecove.PPC_ARM.CAB.part"
(cd "$dir" && "$run" bcpack.exe) >/dev/null 2>"$dir/err.txt" && fail "writing over a folder succeeded"
grep -q 'error:' "$dir/err.txt" || fail "no message when the cabinet cannot be written"
[ ! -e "$dir/output/Brindlecove.PPC_ARM.CAB" ] || fail "a cabinet appeared although writing failed"

[ $status = 0 ] && echo "all cabinet checks passed"
exit $status
