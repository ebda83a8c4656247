# SPDX-License-Identifier: GPL-3.0-or-later
# zelvaro_soname(<pkg-config module> <library name> <out variable>): the
# soname of a library the program loads at run time instead of linking, read
# from the library pkg-config points to (the name dlopen must ask for).
function(zelvaro_soname module name out)
  pkg_get_variable(_libdir ${module} libdir)
  find_library(_lib_${name} NAMES ${name} HINTS ${_libdir} NO_DEFAULT_PATH)
  if(NOT _lib_${name})
    find_library(_lib_${name} NAMES ${name})
  endif()
  if(NOT _lib_${name})
    message(FATAL_ERROR "lib${name} not found")
  endif()
  find_program(_objdump NAMES objdump)
  execute_process(COMMAND ${_objdump} -p ${_lib_${name}} OUTPUT_VARIABLE _dump ERROR_QUIET)
  string(REGEX MATCH "SONAME +([^ \n]+)" _match "${_dump}")
  if(NOT CMAKE_MATCH_1)
    message(FATAL_ERROR "no soname in ${_lib_${name}}")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
