#!/usr/bin/env bash
# The setup under Wine in a fresh prefix: silent installs for the current user and for all users,
# setup and the registered uninstall refused while OKU runs, and silent uninstalls that remove what
# the setup wrote and leave the user's files alone. Usage: installer_test.sh <Windows build dir>
# (DISPLAY must be set: OKU.exe is started once).
set -uo pipefail

build=$(cd "${1:?usage: installer_test.sh <Windows build dir>}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
# This machine's Wine cannot run the 32-bit setup: its 64-bit twin from the same script runs.
shippedSetup="$build/OKU-$version-setup.exe"
setup="$build/installer/OKU-$version-setup-amd64-for-wine.exe"
probe="$build/AppMutexProbe.exe"
runner="$build/RunCommandLine.exe"
work="$build/installer-test"
log="$work/wine.log"
out="$work/out.txt"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
note() { echo "-- $*" >&2; }
die() { echo "FAIL: $*" >&2; exit 1; }

[ -n "${DISPLAY:-}" ] || die "DISPLAY is not set (run under scripts/test, which starts Xvfb)"
for f in "$shippedSetup" "$setup" "$probe" "$runner" "$build/OKU.exe"; do
  [ -f "$f" ] || die "missing $f (build first)"
done

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
unset WINESERVER

# wine_run <seconds> <program> [args...]: the program's exit code (124 on time-out), stdout in $out.
# Output goes to files: a Wine service holding ctest's pipe would keep ctest waiting.
wine_run() {
  local seconds=$1
  shift
  timeout "$seconds" wine "$@" </dev/null >"$out" 2>>"$log"
}

# expect_rc <code> <what> <command...>: fails unless the command ends with that exit code.
expect_rc() {
  local want=$1 what=$2 rc
  shift 2
  "$@"
  rc=$?
  [ "$rc" -eq "$want" ] || fail "$what gave exit code $rc, expected $want"
}

oku_pid=""
cleanup() {
  [ -n "$oku_pid" ] && kill -9 "$oku_pid" 2>/dev/null
  timeout 30 wineserver -k >/dev/null 2>&1
}
trap cleanup EXIT

note "creating the prefix"
timeout 200 wineboot -i </dev/null >>"$log" 2>&1 || die "wineboot -i failed or timed out (see $log)"
wineserver -p </dev/null >/dev/null 2>&1

wine_run 60 cmd /c 'echo %APPDATA%& echo %LOCALAPPDATA%& echo %ProgramData%& echo %ProgramFiles%' ||
  die "cmd /c echo failed"
mapfile -t folders < <(tr -d '\r' <"$out")
appData=${folders[0]} localAppData=${folders[1]} programData=${folders[2]} programFiles=${folders[3]}
[ -n "$programFiles" ] || die "could not read the prefix's folders"
unix() { local p=${1//\\//}; printf '%s/drive_c/%s' "$WINEPREFIX" "${p#[Cc]:/}"; }
userStartMenu="$appData\\Microsoft\\Windows\\Start Menu\\Programs"
commonStartMenu="$programData\\Microsoft\\Windows\\Start Menu\\Programs"
sendTo="$appData\\Microsoft\\Windows\\SendTo"
uninstallKey='Software\Microsoft\Windows\CurrentVersion\Uninstall\OKU'

# The files of drive_c but the temporary folders (where the setup unpacks its helpers).
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . \( -type f -o -type l \) -not -ipath '*/temp/*' | LC_ALL=C sort)
}

# reg_values <HKCU|HKLM>: "name|type|data" lines of OKU's uninstall entry; fails when it is absent.
reg_values() {
  wine_run 60 reg query "$1\\$uninstallKey" || return 1
  tr -d '\r' <"$out" | sed -n 's/^    \([^ ].*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1|\2|\3/p'
}
reg_value() { reg_values "$1" | sed -n "s/^$2|[^|]*|//p"; }

# check_installed <mode> <hive> <other hive> <install dir> <Start menu folder> <other Start menu>
check_installed() {
  local mode=$1 hive=$2 otherHive=$3 dir=$4 menu=$5 otherMenu=$6 udir target values row kb size
  udir=$(unix "$dir")
  cmp -s "$build/OKU.exe" "$udir/OKU.exe" || fail "$mode: $dir\\OKU.exe is not the built OKU.exe"
  [ -f "$udir/uninstall.exe" ] || fail "$mode: no uninstaller in $dir"

  target=$(lnkinfo "$(unix "$menu\\OKU.lnk")" 2>&1 | sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p')
  [ "$target" = "$dir\\OKU.exe" ] || fail "$mode: the shortcut $menu\\OKU.lnk points at '$target', not $dir\\OKU.exe"
  [ -e "$(unix "$otherMenu\\OKU.lnk")" ] && fail "$mode: a shortcut was also put into $otherMenu"

  values=$(reg_values "$hive") || { fail "$mode: no uninstall entry under $hive"; return; }
  local -a expected=(
    "DisplayName|REG_SZ|OKU (Okumatic)"
    "DisplayVersion|REG_SZ|$version"
    "Publisher|REG_SZ|Quillon"
    "DisplayIcon|REG_SZ|$dir\\OKU.exe,0"
    "InstallLocation|REG_SZ|$dir"
    "UninstallString|REG_SZ|\"$dir\\uninstall.exe\" /$mode _?=$dir"
    "QuietUninstallString|REG_SZ|\"$dir\\uninstall.exe\" /$mode /S _?=$dir"
  )
  for row in "${expected[@]}"; do
    grep -qxF "$row" <<<"$values" ||
      fail "$mode: $hive uninstall entry lacks '$row' (has: $(grep "^${row%%|*}|" <<<"$values"))"
  done
  # The size Add/Remove Programs shows: our two files, in KB rounded up.
  kb=$(( ($(stat -c %s "$udir/OKU.exe") + $(stat -c %s "$udir/uninstall.exe") + 1023) / 1024 ))
  size=$(sed -n 's/^EstimatedSize|REG_DWORD|//p' <<<"$values")
  [ -n "$size" ] && [ $((size)) -eq "$kb" ] || fail "$mode: EstimatedSize is '$size', the files take $kb KB"

  reg_values "$otherHive" >/dev/null && fail "$mode: an uninstall entry was also written under $otherHive"
}

# Wine processes of this prefix whose command line matches the pattern.
prefix_pids() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' </proc/"$pid"/environ 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}

# run_registered <command line>: runs it as Windows does (one CreateProcess), gives its exit code.
run_registered() {
  OKU_COMMAND_LINE=$1 wine_run 150 "$runner" 120000
}

# uninstall_quietly <mode> <command line>: a silent uninstall started by hand, without _?=, hands
# over to a copy of itself in the temporary folder and returns at once: wait for that copy.
uninstall_quietly() {
  local mode=$1 command=$2 exe args
  [ -n "$command" ] || { fail "$mode: no uninstall command"; return; }
  exe=${command#\"}
  exe=${exe%%\"*}
  args=${command#\""$exe"\"}
  # shellcheck disable=SC2086  # the switches are separate words
  wine_run 120 "$exe" $args || fail "$mode: '$command' gave exit code $?"
  for _ in $(seq 120); do
    [ -z "$(prefix_pids 'nsu[0-9]*\.tmp')" ] && break
    sleep 0.5
  done
  [ -z "$(prefix_pids 'nsu[0-9]*\.tmp')" ] || fail "$mode: the uninstaller did not end within 60 s"
}

# OKU.exe, its shortcut and entry are gone when the uninstall returns; uninstall.exe a moment later.
check_removed() {
  local mode=$1 hive=$2 dir=$3 menu=$4 udir
  udir=$(unix "$dir")
  [ -e "$udir/OKU.exe" ] && fail "$mode: $dir\\OKU.exe is still there"
  [ -e "$(unix "$menu\\OKU.lnk")" ] && fail "$mode: the Start menu shortcut is still there"
  reg_values "$hive" >/dev/null && fail "$mode: the uninstall entry under $hive is still there"
  for _ in $(seq 100); do [ -e "$udir/uninstall.exe" ] || break; sleep 0.3; done
  [ -e "$udir/uninstall.exe" ] && fail "$mode: $dir\\uninstall.exe is still there after 30 s"
}

# ---- Current user (the silent default) -----------------------------------------------------------
userDir="$localAppData\\Programs\\OKU"
before=$(snapshot)

x86_64-w64-mingw32-objdump -f "$shippedSetup" | grep -q 'file format pei-i386' ||
  fail "the setup is not a 32-bit program"

note "silent install for the current user"
expect_rc 0 "silent install" wine_run 120 "$setup" /S
check_installed CurrentUser HKCU HKLM "$userDir" "$userStartMenu" "$commonStartMenu"

note "silent install and uninstall while OKU runs"
installed=$(unix "$userDir\\OKU.exe")
# Differs from the setup's copy, so that a replacement would show.
printf 'an earlier build' >>"$installed"
sum_before=$(sha256sum <"$installed")
entry_before=$(reg_values HKCU)
wine "$build/OKU.exe" </dev/null >>"$log" 2>&1 &
oku_pid=$!
if wine_run 90 "$probe" 60000; then
  for args in "/S" "/S /AllUsers"; do
    # shellcheck disable=SC2086
    expect_rc 3 "setup $args while OKU runs" wine_run 120 "$setup" $args
  done
  [ -e "$(unix "$programFiles\\OKU")" ] && fail "setup /AllUsers created a folder while OKU was running"
  reg_values HKLM >/dev/null && fail "setup /AllUsers wrote an entry while OKU was running"
  # What a deployment tool runs: it must say that nothing was removed.
  expect_rc 3 "the registered uninstall command while OKU runs" run_registered "$(reg_value HKCU QuietUninstallString)"
  # Neither the setups nor the uninstall touched the installed program or its entry.
  [ "$(sha256sum <"$installed")" = "$sum_before" ] || fail "OKU.exe was replaced or removed while OKU was running"
  [ "$(reg_values HKCU)" = "$entry_before" ] || fail "the uninstall entry changed while OKU was running"
else
  fail "OKU.exe did not create its mutex within 60 s"
fi
wine_run 60 taskkill /f /im OKU.exe || note "taskkill gave exit code $?"
for _ in $(seq 60); do kill -0 "$oku_pid" 2>/dev/null || break; sleep 0.5; done
kill -9 "$oku_pid" 2>/dev/null && fail "OKU.exe did not end after taskkill"
wait "$oku_pid" 2>/dev/null
oku_pid=""
wine_run 30 "$probe" 0 && fail "the mutex is still there after OKU ended"

note "silent install again once OKU is closed"
expect_rc 0 "install after OKU ended" wine_run 120 "$setup" /S
check_installed CurrentUser HKCU HKLM "$userDir" "$userStartMenu" "$commonStartMenu"

note "silent uninstall for the current user"
# The user's own files: a Send To shortcut and a listing of the install folder.
userLink=$(unix "$sendTo\\Projects.lnk")
cp "$(unix "$userStartMenu\\OKU.lnk")" "$userLink"
cp "$userLink" "$work/Projects.lnk"
listing=$(unix "$userDir\\dir_contents.txt")
printf 'Directory of %s\r\n' "$userDir" >"$listing"
cp "$listing" "$work/dir_contents.txt"
# Without the entry's mode switch: it finds its mode from the entry.
uninstall_quietly CurrentUser "\"$userDir\\uninstall.exe\" /S"
check_removed CurrentUser HKCU "$userDir" "$userStartMenu"
cmp -s "$userLink" "$work/Projects.lnk" || fail "the user's Send To shortcut was changed or removed"
cmp -s "$listing" "$work/dir_contents.txt" || fail "the user's dir_contents.txt was changed or removed"
left=$(ls -A "$(unix "$userDir")" 2>&1)
[ "$left" = "dir_contents.txt" ] || fail "the install folder should hold only the user's listing, holds: $left"
# Nothing else left: the files from before plus the user's two.
expectedFiles=$(printf '%s\n' "$before" "./${userLink#"$WINEPREFIX/drive_c/"}" "./${listing#"$WINEPREFIX/drive_c/"}" |
  LC_ALL=C sort)
diff <(echo "$expectedFiles") <(snapshot) >"$work/leftovers.diff" ||
  fail "files differ from before the install: $(cat "$work/leftovers.diff")"
rm -rf "$userLink" "$(unix "$userDir")"

# ---- Other modes and folders: install, then uninstall as Add/Remove Programs would ----------------
# mode|setup switches|install folder|hive|other hive|Start menu|other Start menu
rounds=(
  "AllUsers|/S /AllUsers|$programFiles\\OKU|HKLM|HKCU|$commonStartMenu|$userStartMenu"
  "CurrentUser|/S /D=C:\\Tools\\OKU|C:\\Tools\\OKU|HKCU|HKLM|$userStartMenu|$commonStartMenu"
)
for round in "${rounds[@]}"; do
  IFS='|' read -r mode switches dir hive otherHive menu otherMenu <<<"$round"
  before=$(snapshot)
  note "silent install $switches"
  # shellcheck disable=SC2086  # the switches are separate words
  expect_rc 0 "silent install $switches" wine_run 120 "$setup" $switches
  check_installed "$mode" "$hive" "$otherHive" "$dir" "$menu" "$otherMenu"

  note "the registered silent uninstall of the install $switches"
  expect_rc 0 "$mode: the registered uninstall command" run_registered "$(reg_value "$hive" QuietUninstallString)"
  check_removed "$mode" "$hive" "$dir" "$menu"
  for _ in $(seq 30); do [ -e "$(unix "$dir")" ] || break; sleep 0.3; done
  [ -e "$(unix "$dir")" ] && fail "the empty install folder $dir is still there"
  diff <(echo "$before") <(snapshot) >"$work/leftovers.diff" ||
    fail "files differ from before the install $switches: $(cat "$work/leftovers.diff")"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; Wine's output is in $log" >&2
  exit 1
fi
# The prefix (some 700 MB) is kept only when something failed.
cleanup
trap - EXIT
rm -rf "$WINEPREFIX"
note "all installer checks passed"
