# Cross-compiles OKU for 32-bit Windows (x86) with Debian's MinGW-w64. Its Wine tests are not
# built: they need a 32-bit Wine, which cannot run beside the 64-bit one on the build machine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(OKU_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGwToolchain.cmake)
