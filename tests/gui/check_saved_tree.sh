#!/usr/bin/env bash
# Reads a project file that the builder saved with xmllint, an XML parser of
# its own, and compares the tree (elements, attributes and their order) with
# the expected one. Usage: check_saved_tree.sh SAVED EXPECTED
set -u
saved=$1 expected=$2
xmllint=${XMLLINT:-/usr/bin/xmllint}
[ -x "$xmllint" ] || { echo "xmllint not installed: skipped"; exit 77; }
[ -f "$saved" ] || { echo "no saved project at $saved"; exit 1; }
# --format puts one element on a line with the attributes in document order;
# the declaration it adds is not part of the saved tree.
actual=$("$xmllint" --nonet --encode UTF-8 --format "$saved") || exit 1
if ! diff -u "$expected" <(printf '%s\n' "$actual" | sed '1{/^<?xml /d}'); then
  echo "the saved tree differs from $expected"
  exit 1
fi
echo "saved tree matches"
