# The 32-bit x86 build beside this 64-bit one (build/windows-x86 next to build/windows): the same
# sources for 32-bit Windows. It is configured from here and built as part of this build, so the
# setup, which holds both exes, never packs a stale one. Target oku_x86; the exes' paths are in
# OKU_X86_EXE and OKU_X86_TEST_EXE.
set(OKU_X86_BUILD_DIR ${CMAKE_BINARY_DIR}-x86 CACHE PATH "Build folder of the 32-bit x86 build")
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${OKU_X86_BUILD_DIR} -G ${CMAKE_GENERATOR}
          -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
          -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-i686.cmake
          -DOKU_EXES_ONLY=ON -DOKU_TESTS=${OKU_TESTS}
          -DOKU_SITE_URL=${OKU_SITE_URL} -DOKU_UPDATE_URL=${OKU_UPDATE_URL} -DOKU_AUTHOR_MAIL=${OKU_AUTHOR_MAIL}
  RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "Configuring the 32-bit build in ${OKU_X86_BUILD_DIR} failed")
endif()
set(OKU_X86_EXE ${OKU_X86_BUILD_DIR}/OKU.exe)
set(OKU_X86_TEST_EXE ${OKU_X86_BUILD_DIR}/OKU_test.exe)
add_custom_target(oku_x86 ALL
  COMMAND ${CMAKE_COMMAND} --build ${OKU_X86_BUILD_DIR}
  BYPRODUCTS ${OKU_X86_EXE} ${OKU_X86_TEST_EXE}
  COMMENT "Building the 32-bit x86 exes in ${OKU_X86_BUILD_DIR}"
  USES_TERMINAL)
