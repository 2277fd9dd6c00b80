# Cross-compiles OKU for 64-bit Windows with Debian's MinGW-w64 and runs its tests under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(OKU_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGwToolchain.cmake)

# ctest starts every Windows test program through Wine; WINEPREFIX comes from scripts/test.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
