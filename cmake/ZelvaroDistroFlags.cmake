# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's hardening flags (dpkg-buildflags with every hardening
# feature: _FORTIFY_SOURCE, the stack protector, format checks, -z relro and
# -z now) on optimised builds, so the program that goes into the package is
# built as the distribution builds its own. The optimisation and debug flags
# stay the build type's, and the file-prefix map is left out: it names the
# source folder, which would keep worktrees from sharing the compiler cache.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS OR NOT CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release|MinSizeRel)$")
  return()
endif()

function(zelvaro_dpkg_flags kind out)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${DPKG_BUILDFLAGS} --get ${kind}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O[0-9s]?|g[0-9]?|f(file|debug|macro)-prefix-map=.*)$")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

zelvaro_dpkg_flags(CPPFLAGS _cppflags)
zelvaro_dpkg_flags(CXXFLAGS _cxxflags)
zelvaro_dpkg_flags(LDFLAGS _ldflags)
list(REMOVE_DUPLICATES _cxxflags)
add_compile_options(${_cppflags} ${_cxxflags})
add_link_options(${_ldflags})
message(STATUS "Hardening flags from dpkg-buildflags: ${_cppflags} ${_cxxflags} ${_ldflags}")
