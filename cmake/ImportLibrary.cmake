# Import libraries of our own, made by dlltool from a .def file that lists the DLL's functions
# that the program calls, undecorated (one line each, "Name" or "Name @ordinal NONAME").
#
# oku_delay_import_library(<dll> <def> <out-var>): a delay-load import library for <dll>.dll, so
#   the DLL is loaded at the first call instead of at start.
# oku_import_library(<dll> <def> <out-var>): an ordinary import library, for imports that must
#   differ from the toolchain's (by ordinal, for example); link it before the toolchain's.
# Either puts the library's path into <out-var>; link it and depend on target oku_implib_<dll>.
#
# 32-bit x86 code calls the stdcall functions by decorated names (_InternetOpenA@20): the byte
# counts are taken from the toolchain's own import library for that DLL, and --kill-at keeps
# the names looked up in the DLL undecorated.
set(OKU_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(oku_make_import_library dll def out_var kind)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/generated/lib${dll}_${kind}.a)
  get_filename_component(def ${def} ABSOLUTE)
  if(kind STREQUAL "delayed")
    set(output --output-delaylib ${lib})
  else()
    set(output --output-lib ${lib})
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    find_library(OKU_IMPORT_LIB_${dll} NAMES lib${dll}.a REQUIRED)
    set(decorated ${CMAKE_CURRENT_BINARY_DIR}/generated/${dll}_${kind}_x86.def)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DIMPORT_LIB=${OKU_IMPORT_LIB_${dll}} -DDEF=${def}
              -DOUT=${decorated} -P ${OKU_CMAKE_DIR}/DecorateDef.cmake
      COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${decorated} ${output}
      DEPENDS ${def} ${OKU_CMAKE_DIR}/DecorateDef.cmake
      VERBATIM)
  else()
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} ${output}
      DEPENDS ${def}
      VERBATIM)
  endif()
  add_custom_target(oku_implib_${dll}_${kind} DEPENDS ${lib})
  set(${out_var} ${lib} PARENT_SCOPE)
endfunction()

function(oku_delay_import_library dll def out_var)
  oku_make_import_library(${dll} ${def} lib delayed)
  add_custom_target(oku_implib_${dll} DEPENDS oku_implib_${dll}_delayed)
  set(${out_var} ${lib} PARENT_SCOPE)
endfunction()

function(oku_import_library dll def out_var)
  oku_make_import_library(${dll} ${def} lib own)
  add_custom_target(oku_implib_${dll} DEPENDS oku_implib_${dll}_own)
  set(${out_var} ${lib} PARENT_SCOPE)
endfunction()
