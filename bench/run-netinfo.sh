#!/usr/bin/env bash
# Builds netinfo_bench and runs it in the Windows build's warm Wine prefix.
# Usage: bench/run-netinfo.sh [runs]   (default 21)
source "$(dirname "$0")/../scripts/lib.sh"
OKU_TARGETS=netinfo_bench oku_build_windows -DOKU_TESTS=ON
oku_start_display
trap oku_stop_wine EXIT
oku_wine_env
timeout 900 wine "$OKU_BUILD/windows/bench/netinfo_bench.exe" "${1:-21}" </dev/null
