# Shared by scripts/build, scripts/run and scripts/test: packages, builds, the Wine prefix and the display.
# shellcheck shell=bash
set -euo pipefail

OKU_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OKU_BUILD="$OKU_ROOT/build"
# Building and starting OKU needs these; the setup adds nsis, the tests the rest. The wine, wineboot
# and wineserver commands come from the package wine, not from wine64.
OKU_RUN_PACKAGES=(cmake ninja-build mingw-w64 wine wine64 xvfb xauth imagemagick python3 x11-utils)
OKU_SETUP_PACKAGES=(nsis)
OKU_TEST_PACKAGES=(g++ clang libclang-rt-14-dev googletest liblnk-utils)

oku_log() { printf '== %s\n' "$*" >&2; }

# oku_install_deps PACKAGE...: installs what is missing of them from Debian's packages when run as
# root; otherwise says what to install.
oku_install_deps() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  oku_log "installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# oku_build_windows [extra cmake args...]: the cross builds: build/windows (x86-64; the tests with
# -DOKU_TESTS=ON, the setup with -DOKU_INSTALLER=ON) and, as part of it, build/windows-x86 (32-bit
# x86: the exes only).
oku_build_windows() {
  cmake -S "$OKU_ROOT" -B "$OKU_BUILD/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$OKU_ROOT/cmake/mingw-w64-x86_64.cmake" "$@" >/dev/null
  cmake --build "$OKU_BUILD/windows" --target "${OKU_TARGETS:-all}"
}

oku_build_native() {
  CXX=clang++ CC=clang cmake -S "$OKU_ROOT" -B "$OKU_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOKU_TESTS=ON >/dev/null
  cmake --build "$OKU_BUILD/native"
}

oku_build_fuzz() {
  CXX=clang++ CC=clang cmake -S "$OKU_ROOT" -B "$OKU_BUILD/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOKU_FUZZ=ON \
    -DOKU_FUZZ_SECONDS="${OKU_FUZZ_SECONDS:-10}" >/dev/null
  cmake --build "$OKU_BUILD/fuzz"
}

# A display for the Windows programs: the caller's own, or a private Xvfb on a display number that
# Xvfb picks itself and reports once it accepts connections.
OKU_XVFB_PID=""
oku_start_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${OKU_FORCE_XVFB:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local numberFile n
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 </dev/null &
  OKU_XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(head -n 1 "$numberFile")
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$numberFile"
  [ -n "$n" ] || { echo "could not start Xvfb" >&2; exit 1; }
  export DISPLAY=":$n"
}

# The Wine prefix of a build: one per build directory, made once, with one shared virtual desktop
# and a taskbar so that test drivers find OKU's windows and the notification area exists.
oku_wine_env() {
  export WINEPREFIX="${WINEPREFIX:-$OKU_BUILD/windows/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="   # no Mono or Gecko install prompts
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    oku_log "creating Wine prefix $WINEPREFIX"
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f </dev/null >/dev/null 2>&1
    timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f </dev/null >/dev/null 2>&1
    # A crashing program ends with a backtrace on stderr instead of a dialog nobody answers.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    timeout 60 wineserver -w || true
  fi
  # Start the server and Wine's services with their output detached, so that no test runner
  # inherits a pipe that a Wine service keeps open.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
  timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

oku_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && timeout 30 wineserver -k >/dev/null 2>&1 || true
  if [ -n "$OKU_XVFB_PID" ]; then kill "$OKU_XVFB_PID" 2>/dev/null || true; wait "$OKU_XVFB_PID" 2>/dev/null || true; fi
}
