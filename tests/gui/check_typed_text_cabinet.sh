#!/usr/bin/env bash
# check_typed_text_cabinet.sh CABINET TITLE_FILE
# The cabinet that Build made with the typed title passes cabextract's and
# 7-Zip's tests, and its setup file (.000) holds the configuration value
# KioskDesktopTitle with exactly the title's bytes, zero-terminated.
set -u
cab=$1 title_file=$2
[ -f "$cab" ] || { echo "no cabinet $cab: the GUI test did not build it"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
cabextract -t "$cab" >"$work/out.txt" 2>&1 || { echo "FAIL: cabextract -t: $(cat "$work/out.txt")"; status=1; }
7z t "$cab" >"$work/out.txt" 2>&1 || { echo "FAIL: 7z t: $(cat "$work/out.txt")"; status=1; }
cabextract -q -d "$work/x" "$cab" || { echo "FAIL: cabextract could not extract"; exit 1; }
setup=$(ls "$work"/x/*.000 | head -n 1)
# Value name, its zero byte, the title, its zero byte: as hexadecimal text.
wanted=$( (printf 'KioskDesktopTitle\0'; cat "$title_file"; printf '\0') | od -An -v -tx1 | tr -d ' \n')
if od -An -v -tx1 "$setup" | tr -d ' \n' | grep -q "$wanted"; then
  echo "the title arrived byte for byte"
else
  echo "FAIL: the setup file lacks KioskDesktopTitle with the typed title"
  status=1
fi
exit $status
