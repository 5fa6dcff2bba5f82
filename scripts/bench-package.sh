#!/usr/bin/env bash
# Packing benchmark, not a test: bcpack.exe (under Wine, MSZIP and stored)
# beside Debian's gcab -c and gcab -c -z on the same files, in one run.
# Cases: 200 MB in 20 files of 10 MB of random data, and a typical kiosk
# project (two applications, a 240x320 24-bit logo, the device files of
# the Windows tree that runs here). Prints MB/s (input megabytes per second of
# wall time, Wine's start included for bcpack) and the cabinet's size.
# --smoke: 1 MB instead of 200, to show that the benchmark still works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
tree=$root/build/$(bc_windows_tree)
dist=$tree/dist
[ -x "$dist/bcpack.exe" ] || { echo "build first: scripts/build.sh $(bc_windows_tree)" >&2; exit 1; }
random_files=20 random_bytes=10485760
if [ "${1:-}" = --smoke ]; then random_files=1 random_bytes=1048576; fi
command -v gcab >/dev/null || { echo "gcab is missing: scripts/install-deps.sh" >&2; exit 1; }
session=$root/build/bench-session
work=$(mktemp -d "$root/build/bench.XXXXXX")
trap '"$root/scripts/wine-session.sh" close "$session" >/dev/null 2>&1; rm -rf "$work"' EXIT
BC_WINE_ARCH=$(bc_wine_arch "$dist/bcpack.exe") "$root/scripts/wine-session.sh" open "$session" >/dev/null
export BC_SESSION_DIR=$session
run=$root/scripts/wine-run.sh

# seconds COMMAND...: runs it and prints its wall time in seconds.
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}

# A setup information file that installs every file of the folder.
write_inf() {
  local dir=$1 f
  {
    printf '[Version]\r\nSignature = "$Windows NT$"\r\nProvider = "Bench"\r\nCESignature = "$Windows CE$"\r\n'
    printf '[CEStrings]\r\nAppName = "Bench"\r\nInstallDir = %%CE1%%\\Bench\r\n'
    printf '[DefaultInstall]\r\nCopyFiles = Files\r\n[SourceDisksNames]\r\n1 = ,"Files",,.\r\n'
    printf '[DestinationDirs]\r\nFiles = 0, %%InstallDir%%\r\n[SourceDisksFiles]\r\n'
    for f in "${@:2}"; do printf '%s = 1\r\n' "$f"; done
    printf '[Files]\r\n'
    for f in "${@:2}"; do printf '%s\r\n' "$f"; done
  } >"$dir/setup.inf"
}

# A 240x320 24-bit bitmap with a picture a logo might show: bands and a disc.
write_logo() {
  perl -e '
    my ($w, $h) = (240, 320); my $row = $w * 3; my $size = 54 + $row * $h;
    print pack("A2 V v v V V l l v v V V l l V V", "BM", $size, 0, 0, 54, 40, $w, $h, 1, 24, 0, $row * $h,
               2835, 2835, 0, 0);
    for my $y (0 .. $h - 1) { for my $x (0 .. $w - 1) {
      my $in = ($x - 120) ** 2 + ($y - 200) ** 2 < 70 ** 2;
      print $in ? pack("C3", 40, 90, 200) : pack("C3", 255 - $y * 0.4, 240, 230 - int($y / 40) * 10);
    } }' >"$1"
}

# case NAME DIR MEGABYTES FILE...: one table row per packer.
bench_case() {
  local name=$1 dir=$2 mb=$3 t size
  shift 3
  for packer in "bcpack" "bcpack --store" "gcab -c -z" "gcab -c"; do
    rm -f "$dir/out.cab" "$dir"/output/*.CAB
    case $packer in
    bcpack*) t=$(cd "$dir" && seconds "$run" bcpack.exe ${packer#bcpack} setup.inf output)
             size=$(cat "$dir"/output/*.CAB | wc -c) ;;  # every cabinet of the run
    gcab*) t=$(cd "$dir" && seconds $packer out.cab "$@"); size=$(stat -c %s "$dir/out.cab") ;;
    esac
    printf '| %-16s | %-14s | %8.1f | %12d |\n' "$name" "$packer" "$(awk -v m="$mb" -v t="$t" 'BEGIN { print m / t }')" "$size"
  done
}

printf '| %-16s | %-14s | %8s | %12s |\n' case packer "MB/s" "bytes"
printf '|%s|%s|%s|%s|\n' ------------------ ---------------- ---------- --------------

big=$work/big
mkdir -p "$big/output"
cp "$dist/bcpack.exe" "$big/"
files=()
for i in $(seq -w 1 "$random_files"); do head -c "$random_bytes" /dev/urandom >"$big/random$i.bin"; files+=("random$i.bin"); done
write_inf "$big" "${files[@]}"
(cd "$big" && "$run" bcpack.exe setup.inf output >/dev/null 2>&1)  # warm-up: Wine and the file cache
big_mb=$((random_files * random_bytes / 1048576))
bench_case "$big_mb MB random" "$big" "$big_mb" "${files[@]}"
rm -f "$big"/random*.bin

# The typical project as Build leaves the builder's folder, packed as
# mksetup.bat packs it: one cabinet per processor; gcab takes the member
# files of both in one.
kiosk=$work/kiosk
mkdir -p "$kiosk/output" "$kiosk/pocketpc/arm" "$kiosk/pocketpc/x86"
cp "$dist/bcpack.exe" "$kiosk/"
for processor in arm x86; do
  cp "$dist"/pocketpc/$processor/{brindlecove.exe,bcmgr.dll,BCESetup.dll,bcebtn.exe} "$kiosk/pocketpc/$processor/"
done
printf '4711' >"$kiosk/abce.pac"
printf '1;0;Word;\\windows\\pword.exe;;0;0;Notes;\\windows\\notes.exe;-x;' >"$kiosk/set.alf"
write_logo "$kiosk/bce_logofile"
"$run" "$tree/tests/package_tool/fill_setup_template.exe" "$(bc_windows_path "$root/builder/build/shipped/setup_tmpl.inf")" 1 \
  "$(bc_windows_path "$kiosk/setup.inf")"
members=(setup.inf abce.pac set.alf bce_logofile)
for processor in arm x86; do
  for f in brindlecove.exe bcmgr.dll BCESetup.dll bcebtn.exe; do members+=("pocketpc/$processor/$f"); done
done
kiosk_mb=$(du -cb "${members[@]/#/$kiosk/}" | tail -n 1 | cut -f1)
bench_case "kiosk project" "$kiosk" "$(awk -v b="$kiosk_mb" 'BEGIN { print b / 1048576 }')" "${members[@]}"
(cd "$kiosk" && "$run" bcpack.exe setup.inf output >/dev/null 2>&1)
for cab in "$kiosk"/output/*.CAB; do printf 'kiosk project: %s, %d bytes\n' "$(basename "$cab")" "$(stat -c %s "$cab")"; done

# What signing adds to the kiosk project's run: a certificate made here, the
# mean of three runs each way (Wine's start and the PFX import included).
. "$root/tests/package_tool/test_certificates.sh"
make_root "$work" root && make_signer "$work" signer root && make_pfx "$work" signer signer bench
cp "$work/signer.pfx" "$kiosk/"
printf 'bench\n' >"$kiosk/password.txt"
mean_of_three() { local total=0; for _ in 1 2 3; do total=$(awk -v a="$total" -v b="$("$@")" 'BEGIN { print a + b }'); done; awk -v t="$total" 'BEGIN { print t / 3 }'; }
unsigned=$(cd "$kiosk" && mean_of_three seconds "$run" bcpack.exe setup.inf output)
signed=$(cd "$kiosk" && mean_of_three seconds "$run" bcpack.exe --sign signer.pfx --password-file password.txt setup.inf output)
awk -v u="$unsigned" -v s="$signed" \
  'BEGIN { printf "kiosk project: signing adds %.2f s (%.2f s unsigned, %.2f s signed: 8 programs, 2 cabinets)\n", s - u, u, s }'
