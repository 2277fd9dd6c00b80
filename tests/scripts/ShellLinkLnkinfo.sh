#!/bin/bash
# Shortcuts written by cShellLink (through ShortcutWriter.exe) read by lnkinfo (liblnk-utils): target,
# description, working directory, arguments. lnkinfo 20181227 misreads the window mode, so that is
# read from the header: the 32-bit ShowCommand at offset 0x3C. Usage: ShellLinkLnkinfo.sh <ShortcutWriter.exe>
set -euo pipefail

writer=$1
export WINEPREFIX="${WINEPREFIX:-$(dirname "$writer")/wineprefix}"
export WINEDEBUG=-all
command -v lnkinfo >/dev/null || { echo "lnkinfo is missing (Debian package liblnk-utils)" >&2; exit 1; }

work=$(mktemp -d /tmp/oku_lnkinfo.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Target Folder"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

failures=0
check() {  # check <what> <expected> <actual>
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected [$2], got [$3]" >&2
    failures=$((failures + 1))
  fi
}
field() { sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" "$2" | head -n 1; }
show_command() { od -An -tu4 -j 60 -N 4 "$1" | tr -d ' '; }

# name|show|workdir|arguments: a Send To style shortcut, then one with every value set.
while IFS='|' read -r name show workdir arguments; do
  lnk="$work/$name.lnk"
  target=$(windows_path "$work/Target Folder")
  icon=${workdir:+'C:\windows\system32\shell32.dll'}
  timeout 60 wine "$writer" "$(windows_path "$lnk")" "$target" "$show" "$workdir" "$arguments" "$icon" 2 \
    </dev/null >"$work/$name.log" 2>&1 ||
    { echo "FAIL $name: writer failed: $(cat "$work/$name.log")" >&2; failures=$((failures + 1)); continue; }
  lnkinfo "$lnk" >"$work/$name.txt" 2>/dev/null
  check "$name local path" "$target" "$(field 'Local path' "$work/$name.txt")"
  check "$name description" "ShellLink Sample" "$(field 'Description' "$work/$name.txt")"
  check "$name working directory" "$workdir" "$(field 'Working directory' "$work/$name.txt")"
  check "$name arguments" "$arguments" "$(field 'Command line arguments' "$work/$name.txt")"
  check "$name show command" "$show" "$(show_command "$lnk")"
done <<'CASES'
sendto|1|||
full|7|C:\windows|-x "y z"
CASES

[ "$failures" -eq 0 ] && echo "all shortcut checks passed"
exit "$failures"
