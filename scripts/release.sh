#!/usr/bin/env bash
# Builds the 32-bit programs and writes the release into build/release:
#   Brindlecove-<version>-setup.exe  the installer (NSIS), and
#   Brindlecove-<version>.zip        the builder's folder, to unpack anywhere.
# Both hold build/win/dist, the builder's folder, without what the builder
# itself made there (release/builder_made.txt), its desktop programs stripped
# of their symbols. Those programs as built, with their symbols, go to
#   Brindlecove-<version>-symbols.zip  for debugging a release's crash.
# The version is the file VERSION.
# --no-build packs build/win as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" != "--no-build" ]; then "$root/scripts/build.sh" --shipped win; fi
version=$(head -n 1 "$root/VERSION")
release=$root/build/release
stage=$release/Brindlecove
lists=$release/nsis
setup=$release/Brindlecove-$version-setup.exe
archive=$release/Brindlecove-$version.zip
symbols=$release/Brindlecove-$version-symbols.zip
unstripped=$release/symbols
desktop_programs=(Brindlecove.exe bcbuild.exe bcpack.exe bcinstall.exe)
# Artifacts of an earlier version go too: build/release holds one release.
rm -rf "$stage" "$lists" "$unstripped" "$release"/Brindlecove-*-setup.exe "$release"/Brindlecove-*.zip
mkdir -p "$stage" "$lists" "$unstripped/Brindlecove"

# Builder-made names, one a line (a folder ends in a backslash).
builder_made() { sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$root/release/builder_made.txt"; }
windows_path() { printf '%s' "${1//\//\\}"; }

cp -a "$root/build/win/dist/." "$stage/"
while read -r name; do rm -rf "${stage:?}/${name%\\}"; done < <(builder_made)
for program in "${desktop_programs[@]}"; do
  cp -a "$stage/$program" "$unstripped/Brindlecove/"
  i686-w64-mingw32-strip --strip-all "$stage/$program"
done

# What the uninstaller takes away: the installed files, then their folders, deepest first.
(
  cd "$stage"
  find . -type f -printf '%P\n' | sort | while read -r file; do
    printf 'Delete "$INSTDIR\\%s"\n' "$(windows_path "$file")"
  done
  find . -mindepth 1 -type d -printf '%P\n' | sort -r | while read -r dir; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$(windows_path "$dir")"
  done
) >"$lists/removed_files.nsh"
{
  echo '!macro FindBuilderMade'
  echo '  StrCpy $0 ""'
  while read -r name; do
    # A folder is there when "folder\*.*" matches.
    printf '  IfFileExists "$INSTDIR\\%s" 0 +2\n    StrCpy $0 1\n' "${name/%\\/\\*.*}"
  done < <(builder_made)
  echo '!macroend'
  echo '!macro RemoveBuilderMade'
  while read -r name; do
    case $name in
      *\\) printf '  RMDir /r "$INSTDIR\\%s"\n' "${name%\\}" ;;
      *) printf '  Delete "$INSTDIR\\%s"\n' "$name" ;;
    esac
  done < <(builder_made)
  echo '!macroend'
} >"$lists/builder_made.nsh"

makensis -V2 -DBC_VERSION="$version" -DBC_OUTPUT="$setup" -DBC_STAGE="$stage" -DBC_LISTS="$lists" "$root/release/Brindlecove.nsi"
(cd "$release" && zip -q -r -X "$archive" Brindlecove)
(cd "$unstripped" && zip -q -r -X "$symbols" Brindlecove)
for artifact in "$setup" "$archive" "$symbols"; do
  printf '%s: %s bytes\n' "${artifact#"$root"/}" "$(stat -c %s "$artifact")"
done
