#!/usr/bin/env bash
# signed_packages_test.sh DIST SOURCE_ROOT FILL
# Builds the packages of a builder's folder with the built device programs
# under Wine, unsigned and then signed (signing\package.pfx, as Build finds
# it), and has osslsigncode judge the signatures against the test root:
# each cabinet and each program in it verifies, and fails once one byte of
# its signed content changes. Signed or not, the packages carry the same
# files, the programs differing only by their certificate tables. Then each
# refusal of the signing step, with its message and exit status.
set -u
dist=$1 root=$2 fill=$3
run=$root/scripts/wine-run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }
. "$root/tests/package_tool/test_certificates.sh"

certs=$work/certs
mkdir -p "$certs"
make_root "$certs" root && make_signer "$certs" signer root && make_pfx "$certs" signer signer 'pass word' &&
  make_pfx "$certs" signer open '' && make_pfx "$certs" signer nokey 'pass word' -nokeys &&
  make_signer "$certs" expired root 20200101000000Z 20210101000000Z && make_pfx "$certs" expired expired 'pass word' &&
  make_signer "$certs" future root 20990101000000Z 21000101000000Z && make_pfx "$certs" future future 'pass word' ||
  { echo "FAIL: openssl could not make the test certificates"; exit 1; }
printf 'not a certificate' >"$certs/garbage.pfx"

builder=$work/builder
mkdir -p "$builder"
cp -r "$dist/bcpack.exe" "$dist/pocketpc" "$root/builder/build/shipped/mksetup.bat" \
  "$root/builder/build/shipped/setup_tmpl.inf" "$builder/"
printf '1234' >"$builder/abce.pac"
printf '1;0;Word;\\windows\\pword.exe;;' >"$builder/set.alf"
(cd "$builder" && "$run" "$fill" setup_tmpl.inf 0 setup.inf) || fail "the template could not be filled"

make_packages() {  # make_packages NAME: mksetup.bat's cabinets copied into $work/NAME, each extracted beside
  mkdir -p "$work/$1"
  (cd "$builder" && "$run" cmd /c mksetup.bat) >"$work/$1.txt" 2>&1 ||
    fail "$1: mksetup.bat failed: $(cat "$work/$1.txt" "$builder/output/package-failed.txt" 2>/dev/null)"
  # cabextract warns of the signature after the cabinet's own length.
  for cab in "$builder"/output/*.CAB; do
    cp "$cab" "$work/$1/"
    cabextract -q -d "$work/$1/$(basename "$cab").x" "$cab" 2>/dev/null || fail "$1: cabextract $cab"
  done
}

verifies() { osslsigncode verify -CAfile "$certs/root.pem" -in "$1" >"$work/verify.txt" 2>&1; }

# flip FILE OFFSET: one byte of the file changed.
flip() {
  local byte
  byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  printf "$(printf '\\%03o' $(((byte + 1) % 256)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

expect_signed() {  # expect_signed FILE OFFSET-IN-SIGNED-CONTENT
  verifies "$1" || fail "osslsigncode rejects $(basename "$1"): $(tail -n 3 "$work/verify.txt")"
  cp "$1" "$work/tampered" && flip "$work/tampered" "$2"
  verifies "$work/tampered" && fail "osslsigncode accepts $(basename "$1") with byte $2 changed"
}

u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
# without_certificate_table PROGRAM OUT: the program cut before its
# certificate table, whose directory entry is zeroed (checksum untouched).
without_certificate_table() {
  local pe entry
  pe=$(u32 "$1" 60)
  entry=$((pe + 24 + ($(od -An -tu2 -j $((pe + 24)) -N2 "$1" | tr -d ' ') == 523 ? 112 : 96) + 4 * 8))
  head -c "$(u32 "$1" "$entry")" "$1" >"$2"
  dd if=/dev/zero of="$2" bs=1 seek="$entry" count=8 conv=notrunc status=none
}

make_packages unsigned
mkdir -p "$builder/signing"
cp "$certs/signer.pfx" "$builder/signing/package.pfx"
printf 'pass word\r\n' >"$builder/signing/password.txt"
make_packages signed

cabinets=0 programs=0
for cab in "$work"/unsigned/*.CAB; do
  name=$(basename "$cab")
  cabinets=$((cabinets + 1))
  expect_signed "$work/signed/$name" 200
  for member in "$work/unsigned/$name.x"/*; do
    signed=$work/signed/$name.x/$(basename "$member")
    if [[ $(file -b "$member") == PE32* ]]; then
      programs=$((programs + 1))
      expect_signed "$signed" 300
      without_certificate_table "$signed" "$work/stripped"
      cmp -s "$member" "$work/stripped" || fail "$name: $(basename "$member") differs beyond its certificate table"
    else
      cmp -s "$member" "$signed" || fail "$name: $(basename "$member") differs when signed"
    fi
  done
done
[ $cabinets -eq 2 ] && [ $programs -eq 8 ] || fail "$cabinets cabinets with $programs programs, expected 2 with 8"

# Refusals: bcpack's message and status, and no cabinet from mksetup.bat.
refusal() {  # refusal NAME PFX PASSWORD-OR-- MESSAGE
  local password=() out=$work/refused-$1
  [ "$3" != -- ] && { printf '%s\n' "$3" >"$work/password.txt"; password=(--password-file password.txt); }
  cp "$certs/$2" "$work/$1.pfx" 2>/dev/null
  (cd "$work" && cp -r "$builder"/{bcpack.exe,setup.inf,abce.pac,set.alf,pocketpc} . 2>/dev/null
   "$run" bcpack.exe --sign "$1.pfx" "${password[@]}" setup.inf "$(basename "$out")") >"$out.txt" 2>&1
  local code=$?
  [ $code -eq 1 ] || fail "$1: bcpack exited $code"
  grep -qxF "$1.pfx: error: $4" <(tr -d '\r' <"$out.txt") || fail "$1: expected '$4', got: $(cat "$out.txt")"
  ls "$out"/*.CAB* >/dev/null 2>&1 && fail "$1: a cabinet was left"
}
refusal missing absent.pfx 'pass word' "cannot read the certificate file"
refusal wrong-password signer.pfx 'wrong' "the password does not open the certificate file"
refusal no-password signer.pfx -- "the password does not open the certificate file"
refusal no-key nokey.pfx 'pass word' "the certificate file holds no certificate with its private key"
refusal expired expired.pfx 'pass word' "the certificate expired on 2021-01-01"
refusal future future.pfx 'pass word' "the certificate is not valid before 2099-01-01"
refusal not-pfx garbage.pfx -- "the file is not a PKCS #12 (.pfx) certificate file"
# bcpack_refused CODE LINE ARGS...: bcpack in $work exits CODE with LINE on the standard error.
bcpack_refused() {
  local code=$1 line=$2
  shift 2
  (cd "$work" && "$run" bcpack.exe "$@") >"$work/refused.txt" 2>&1
  local got=$?
  [ $got -eq "$code" ] && grep -qxF "$line" <(tr -d '\r' <"$work/refused.txt") ||
    fail "bcpack $*: exit $got, expected $code with '$line': $(cat "$work/refused.txt")"
}
bcpack_refused 1 "absent.txt: error: cannot read the password file" --sign wrong-password.pfx --password-file absent.txt setup.inf x
usage="usage: bcpack [--store] [--sign FILE.pfx [--password-file FILE]] [setup.inf [output]]"
bcpack_refused 2 "$usage" --password-file password.txt setup.inf x
bcpack_refused 2 "$usage" setup.inf x --sign
bcpack_refused 2 "$usage" --timestamp http://127.0.0.1/ setup.inf x

# A certificate without a password opens without a password file.
cp "$certs/open.pfx" "$builder/signing/package.pfx"
rm "$builder/signing/password.txt"
make_packages open
for cab in "$work"/open/*.CAB; do verifies "$cab" || fail "unpassworded: $(basename "$cab") rejected"; done

# A signing step that fails leaves no package, not even the earlier one.
printf 'wrong\n' >"$builder/signing/password.txt"
cp "$certs/signer.pfx" "$builder/signing/package.pfx"
(cd "$builder" && "$run" cmd /c mksetup.bat) >/dev/null 2>&1 && fail "mksetup.bat succeeded with a wrong password"
ls "$builder"/output/*.CAB >/dev/null 2>&1 && fail "a package was left after a failed signing"
grep -q "the password does not open the certificate file" "$builder/output/package-failed.txt" ||
  fail "package-failed.txt lacks the refusal"
exit $status
