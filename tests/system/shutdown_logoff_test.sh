#!/usr/bin/env bash
# The timed Log Off for real, in a Wine prefix of its own (Wine ends every process of the prefix
# when asked to log off): OKU must be gone within about a minute of arming, also with a modal
# window open at that minute. Usage: shutdown_logoff_test.sh <build/windows>
set -euo pipefail
build=$(cd "$1" && pwd)
export WINEPREFIX="$build/prefixes/logoff"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f </dev/null >/dev/null 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f </dev/null >/dev/null 2>&1
  timeout 60 wineserver -w || true
fi
cleanup() { timeout 30 wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
wineserver -p </dev/null >/dev/null 2>&1 || true
timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true

wine "$build/OKU_test.exe" </dev/null >/dev/null 2>&1 &
oku=$!
timeout 150 wine "$build/logoff_driver.exe" </dev/null 2>&1
for _ in $(seq 150); do
  kill -0 "$oku" 2>/dev/null || { echo "OKU ended after the Log Off tick"; exit 0; }
  sleep 1
done
echo "OKU was still running 150 s after arming Log Off" >&2
kill "$oku" 2>/dev/null || true
exit 1
