#!/usr/bin/env bash
# Builds listing_bench and runs it in the Windows build's warm Wine prefix.
# Usage: bench/run-listing.sh [files] [runs]   (default 20000 files, 7 runs)
source "$(dirname "$0")/../scripts/lib.sh"
OKU_TARGETS=listing_bench oku_build_windows -DOKU_TESTS=ON
oku_start_display
trap oku_stop_wine EXIT
oku_wine_env
timeout 1800 wine "$OKU_BUILD/windows/bench/listing_bench.exe" "${1:-20000}" "${2:-7}" </dev/null
