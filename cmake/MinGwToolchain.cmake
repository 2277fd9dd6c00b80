# What both cross builds share: Debian's MinGW-w64 compilers for the target named by
# OKU_MINGW_TARGET (set by the toolchain file that includes this one), and its own root for lookups.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${OKU_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OKU_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${OKU_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${OKU_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
