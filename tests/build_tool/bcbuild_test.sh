#!/usr/bin/env bash
# bcbuild_test.sh DIST SOURCE_ROOT
# The real bcbuild.exe under Wine on project files of every kind: projects
# that build (their cabinets read back with cabextract), each refusal with its
# message, a broken file with the reader's line, the next project built all
# the same, the exit status at its ends, patterns, two runs at once. The
# builder's folder is left as it was.
set -u
dist=$1 root=$2
run=$root/scripts/wine-run.sh
work=$(mktemp -d) logs=$(mktemp -d)
trap 'rm -rf "$work" "$logs"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }
win() { printf 'Z:%s' "${1//\//\\}"; }

# project FILE NAME APPLICATIONS [ELEMENT...]: a project file as the builder
# saves it, with the code 1234; the elements given come last and win.
project() {
  local file=$1 name=$2 count=$3 i
  shift 3
  {
    printf '<project name="%s" type="brindlecove">\n' "$name"
    for i in $(seq "$count"); do
      printf '  <otherapplication display_name="%s %d" path="\\apps\\app%d.exe" params="-n %d" autolaunch="1" hideinkioskdesktop="0"/>\n' \
        "$name" "$i" "$i" "$i"
    done
    printf '  <admincode value="1234"/>\n'
    printf '  %s\n' "$@"
    printf '</project>\n'
  } >"$file"
}
# The set.alf that project writes for NAME with COUNT applications.
application_list() {
  local i
  for i in $(seq "$2"); do printf '1;0;%s %d;\\apps\\app%d.exe;-n %d;' "$1" "$i" "$i" "$i"; done
}

# bcbuild FOLDER ARGS...: runs the builder folder's bcbuild.exe in the
# current folder; its output in $logs/out and $logs/err, its status in $code.
bcbuild() {
  local folder=$1
  shift
  "$run" "$(win "$folder/bcbuild.exe")" "$@" >"$logs/out" 2>"$logs/err"
  code=$?
  tr -d '\r' <"$logs/out" >"$logs/out.txt"
  tr -d '\r' <"$logs/err" >"$logs/err.txt"
}
expect_code() { [ "$code" -eq "$1" ] || fail "$2: exit status $code, expected $1 ($(cat "$logs/err.txt"))"; }
expect_error() { grep -qxF -- "$1" "$logs/err.txt" || fail "standard error lacks: $1 (it says: $(cat "$logs/err.txt"))"; }

# has_member CAB FILE: the cabinet holds a member of exactly FILE's bytes.
has_member() {
  local member
  rm -rf "$logs/x"
  cabextract -q -d "$logs/x" "$1" >/dev/null 2>&1 || return 1
  for member in "$logs/x"/*; do cmp -s "$member" "$2" && return 0; done
  return 1
}
# expect_built OUTPUT NAME COUNT: both cabinets of the project, listed on the
# standard output, carrying its application list and code.
expect_built() {
  local output=$work/$1 name=$2 count=$3 target cab
  application_list "$name" "$count" >"$logs/set.alf"
  printf '1234' >"$logs/abce.pac"
  for target in PPC_ARM PPC_X86; do
    cab=$output/$name/Brindlecove.$target.CAB
    [ -f "$cab" ] || { fail "$name: no $target cabinet"; continue; }
    grep -qxF "$(win "$cab")" "$logs/out.txt" || fail "$name: the standard output does not list $(win "$cab")"
    has_member "$cab" "$logs/set.alf" || fail "$name: $target cabinet lacks its set.alf"
    has_member "$cab" "$logs/abce.pac" || fail "$name: $target cabinet lacks its abce.pac"
  done
}

# What a build would change in the builder's folder.
builder_state() {
  (cd "$dist" && for f in setup.inf set.alf abce.pac bce_logofile output/*; do
    [ -e "$f" ] && stat -c '%n %s %Y' "$f"
  done)
}
before=$(builder_state)
cd "$work" || exit 1
mkdir out

# Good projects; a relative logo is taken from the current folder.
printf 'logo bytes' >logo.bmp
project shop.bcp Shop 3 '<language value="spanish"/>'
project depot.bcp Depot 20 '<logo path="logo.bmp" fitlogotoscreen="1"/>' '<startuptimer value="0"/>'
# A folder typed with a trailing backslash names the same folder.
bcbuild "$dist" --output 'out\' shop.bcp depot.bcp
expect_code 0 "two good projects"
expect_built out Shop 3
expect_built out Depot 20
has_member out/Depot/Brindlecove.PPC_X86.CAB logo.bmp || fail "the relative logo is not in Depot's cabinet"
[ "$(wc -l <"$logs/out.txt")" -eq 4 ] || fail "expected 4 lines on the standard output: $(cat "$logs/out.txt")"
[ ! -s "$logs/err.txt" ] || fail "good projects wrote to the standard error: $(cat "$logs/err.txt")"

# Without --output the cabinets land in the current folder; without a code
# Build's question becomes a warning and the project builds.
project nocode.bcp NoCode 1 '<admincode value=""/>'
bcbuild "$dist" nocode.bcp
expect_code 0 "a project without a code"
expect_error "nocode.bcp: It is recommended to enter an administrator code."
[ -f NoCode/Brindlecove.PPC_X86.CAB ] || fail "no cabinet in the current folder"

# Each refusal with its message, each followed by a project that builds.
project empty.bcp Empty 0
project countdown.bcp Countdown 1 '<startuptimer value="-1"/>'
project logo.bcp Logo 1 '<logo path="Z:\no\such\logo.bmp" fitlogotoscreen="0"/>'
project other.bcp Other 1
sed -i 's/type="brindlecove"/type="somethingelse"/' other.bcp
printf '<project name="Broken" type="brindlecove">\n<otherapplication path="x"\n' >broken.bcp
project badname.bcp 'a:b' 1
project again.bcp Shop 1
refusals=(
  "empty.bcp|empty.bcp: Please specify one or more allowed applications"
  "countdown.bcp|countdown.bcp: Countdown value can only be greater than or equal to 0"
  "logo.bcp|logo.bcp: Please enter valid path of a logo file"
  "other.bcp|other.bcp: cannot be read as a Brindlecove project"
  "missing.bcp|missing.bcp: cannot be read as a Brindlecove project"
  "badname.bcp|badname.bcp: the project's name \"a:b\" cannot name a folder"
  "again.bcp|again.bcp: another project of this run is named \"Shop\""
)
for refusal in "${refusals[@]}"; do
  file=${refusal%%|*} message=${refusal#*|}
  rm -rf next
  project "next$file" "Next" 2
  bcbuild "$dist" --output next shop.bcp "$file" "next$file"
  expect_code 2 "$file"
  expect_error "$message"
  expect_built next Next 2
done
# A file that does not parse: the reader's line, with the path as given.
rm -rf next
bcbuild "$dist" --output next broken.bcp nextempty.bcp
expect_code 2 "broken.bcp"
grep -q '^broken\.bcp : Error on line [0-9]*\. Found .* while expecting ' "$logs/err.txt" ||
  fail "no parse error line for broken.bcp: $(cat "$logs/err.txt")"
expect_built next Next 2

# Patterns are expanded by bcbuild, in name order; one that matches nothing is refused.
mkdir profiles
project profiles/b.bcp Beta 2
project profiles/a.bcp Alpha 1
printf 'no project' >profiles/notes.txt
bcbuild "$dist" --output pattern 'profiles\*.bcp'
expect_code 0 "a pattern"
expect_built pattern Alpha 1
expect_built pattern Beta 2
[ "$(grep -c Alpha "$logs/out.txt")" -eq 2 ] && [ "$(head -n 1 "$logs/out.txt" | grep -c Alpha)" -eq 1 ] ||
  fail "the pattern's projects were not built in name order: $(cat "$logs/out.txt")"
bcbuild "$dist" --output pattern 'nowhere\*.bcp'
expect_code 2 "a pattern that matches nothing"
expect_error 'nowhere\*.bcp: no project file matches'

# Usage errors.
for args in "" "--output" "--output out" "--unknown shop.bcp"; do
  # shellcheck disable=SC2086
  bcbuild "$dist" $args
  expect_code 2 "bcbuild $args"
  expect_error "usage: bcbuild [--output DIR] [--sign FILE.pfx [--password-file FILE]] PROJECT.bcp..."
done

# A package that cannot be made (a builder's folder whose template makes the
# package tool fail) gives 1; with a refused project beside it, 2.
mkdir broken_builder
cp -r "$dist/bcbuild.exe" "$dist/bcpack.exe" "$dist/mksetup.bat" "$dist/setup_tmpl.inf" "$dist/pocketpc" broken_builder/
printf '\r\n[Reg.Configuration]\r\nHKLM, Software\\Brindlecove, Broken, 0x00010001, none\r\n' >>broken_builder/setup_tmpl.inf
bcbuild "$work/broken_builder" --output failed shop.bcp
expect_code 1 "a package that cannot be made"
grep -q '^shop\.bcp: The package could not be made\. The package tool reported:$' "$logs/err.txt" ||
  fail "no package failure for shop.bcp: $(cat "$logs/err.txt")"
grep -qF 'is not a DWORD number' "$logs/err.txt" || fail "the package tool's message is missing: $(cat "$logs/err.txt")"
[ ! -e failed/Shop ] || fail "a failed package left cabinets"
bcbuild "$work/broken_builder" --output failed shop.bcp empty.bcp
expect_code 2 "a failed package and a refused project"
bcbuild "$work/broken_builder" --output failed empty.bcp shop.bcp
expect_code 2 "a refused project and a failed package"
# Without the package tool the work folder cannot be made: nothing is built.
rm broken_builder/bcpack.exe
bcbuild "$work/broken_builder" --output failed shop.bcp
expect_code 1 "a builder's folder without bcpack.exe"
grep -qF 'bcpack.exe cannot be copied into a work folder' "$logs/err.txt" || fail "no word of the missing package tool"

# Two runs at once into the same folder: each project's cabinets carry its own files.
for run_name in A B; do
  for i in 1 2 3 4; do project "run$run_name$i.bcp" "Run$run_name$i" $((i * 5)); done
done
"$run" "$(win "$dist/bcbuild.exe")" --output together runA1.bcp runA2.bcp runA3.bcp runA4.bcp >"$logs/a.out" 2>&1 &
first=$!
"$run" "$(win "$dist/bcbuild.exe")" --output together runB1.bcp runB2.bcp runB3.bcp runB4.bcp >"$logs/b.out" 2>&1
second=$?
wait "$first" || fail "the first of two runs at once failed: $(cat "$logs/a.out")"
[ "$second" -eq 0 ] || fail "the second of two runs at once failed: $(cat "$logs/b.out")"
cat "$logs/a.out" "$logs/b.out" | tr -d '\r' >"$logs/out.txt"
for run_name in A B; do
  for i in 1 2 3 4; do expect_built together "Run$run_name$i" $((i * 5)); done
done

# Signed with --sign and a password file: each cabinet verifies against the
# test root. A missing certificate and a wrong password stop with status 1
# and their messages, and leave no cabinet.
. "$root/tests/package_tool/test_certificates.sh"
mkdir certs
make_root certs root && make_signer certs signer root && make_pfx certs signer signer 'pass word' ||
  fail "openssl could not make the test certificates"
printf 'pass word\n' >certs/password.txt
printf 'wrong\n' >certs/wrong.txt
bcbuild "$dist" --output signed --sign certs/signer.pfx --password-file certs/password.txt shop.bcp
expect_code 0 "a signed project"
for target in PPC_ARM PPC_X86; do
  osslsigncode verify -CAfile certs/root.pem -in "signed/Shop/Brindlecove.$target.CAB" >/dev/null 2>&1 ||
    fail "the signed $target cabinet does not verify"
done
bcbuild "$dist" --output unsigned --sign certs/absent.pfx shop.bcp
expect_code 1 "a missing certificate"
expect_error "bcbuild: certs/absent.pfx: error: cannot read the certificate file"
bcbuild "$dist" --output unsigned --sign certs/signer.pfx --password-file certs/wrong.txt shop.bcp
expect_code 1 "a wrong password"
grep -qF "signing\package.pfx: error: the password does not open the certificate file" "$logs/err.txt" ||
  fail "no refusal of the password: $(cat "$logs/err.txt")"
ls unsigned/Shop/*.CAB >/dev/null 2>&1 && fail "a cabinet was left without its signature"

[ "$(builder_state)" = "$before" ] || fail "bcbuild changed the builder's folder"
exit $status
