# cmake -DNM=<nm> -DIMPORT_LIB=<lib.a> -DDEF=<in.def> -DOUT=<out.def> -P DecorateDef.cmake
# Writes <in.def> with each function given its 32-bit stdcall decoration (Name@bytes), as the
# toolchain's import library for the same DLL spells it. A function missing there is an error:
# the DLL does not export it.
execute_process(COMMAND ${NM} ${IMPORT_LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} ${IMPORT_LIB} failed")
endif()
file(STRINGS ${DEF} lines)
set(out "")
set(in_exports FALSE)
foreach(line IN LISTS lines)
  string(STRIP "${line}" stripped)
  if(in_exports AND stripped MATCHES "^([A-Za-z_][A-Za-z0-9_]*)(.*)$")
    set(name ${CMAKE_MATCH_1})
    set(rest "${CMAKE_MATCH_2}")  # an ordinal, NONAME
    string(REGEX MATCH " _${name}(@[0-9]+)?\n" found "${symbols}")
    if(NOT found)
      message(FATAL_ERROR "${DEF}: ${name} is not in ${IMPORT_LIB}")
    endif()
    set(line "${name}${CMAKE_MATCH_1}${rest}")
  elseif(stripped STREQUAL "EXPORTS")
    set(in_exports TRUE)
  endif()
  string(APPEND out "${line}\n")
endforeach()
file(WRITE ${OUT} "${out}")
