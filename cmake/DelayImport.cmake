# oku_delay_import_library(<dll> <def> <out-var>): a delay-load import library for <dll>.dll,
# built by dlltool from <def> (the DLL's functions that the program calls, undecorated), so the
# DLL is loaded at the first call instead of at start. The library's path goes into <out-var>;
# link it and depend on the target oku_delay_<dll>.
#
# 32-bit x86 code calls the stdcall functions by decorated names (_InternetOpenA@20): the byte
# counts are taken from the toolchain's own import library for that DLL, and --kill-at keeps
# the names looked up in the DLL undecorated.
set(OKU_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(oku_delay_import_library dll def out_var)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/generated/lib${dll}_delayed.a)
  get_filename_component(def ${def} ABSOLUTE)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    find_library(OKU_IMPORT_LIB_${dll} NAMES lib${dll}.a REQUIRED)
    set(decorated ${CMAKE_CURRENT_BINARY_DIR}/generated/${dll}_x86.def)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DIMPORT_LIB=${OKU_IMPORT_LIB_${dll}} -DDEF=${def}
              -DOUT=${decorated} -P ${OKU_CMAKE_DIR}/DecorateDef.cmake
      COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${decorated} --output-delaylib ${lib}
      DEPENDS ${def} ${OKU_CMAKE_DIR}/DecorateDef.cmake
      VERBATIM)
  else()
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
      DEPENDS ${def}
      VERBATIM)
  endif()
  add_custom_target(oku_delay_${dll} DEPENDS ${lib})
  set(${out_var} ${lib} PARENT_SCOPE)
endfunction()
