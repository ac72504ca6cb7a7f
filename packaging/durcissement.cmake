# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening flags, as dpkg-buildflags gives them with every
# hardening feature on (stack protector, format checks, _FORTIFY_SOURCE,
# relro and bindnow; PIE is the compiler's default): the programs read level
# and ghost files that players share. They go to every optimised build, so the
# package is made of the very binaries the tests ran (make test, then make
# package, with no rebuild); debug, sanitizer and fuzzing builds go without
# (_FORTIFY_SOURCE needs the optimiser). dpkg-buildflags' own -g, -O and
# prefix-map flags are left to the build type. DEB_*_APPEND and
# DEB_BUILD_MAINT_OPTIONS in the environment are honoured, as in a Debian build.
option(VORNA_DURCI "Optimised builds take Debian's hardening flags (dpkg-buildflags)" ON)
if(NOT VORNA_DURCI OR VORNA_SANITIZE OR VORNA_FUZZ OR NOT CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release|MinSizeRel)$")
  return()
endif()
find_program(VORNA_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT VORNA_DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found (dpkg-dev): built without Debian's hardening flags")
  return()
endif()
set(options "hardening=+all")
if(DEFINED ENV{DEB_BUILD_MAINT_OPTIONS})
  string(APPEND options " $ENV{DEB_BUILD_MAINT_OPTIONS}")
endif()
foreach(sorte CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${options}"
                          ${VORNA_DPKG_BUILDFLAGS} --get ${sorte}
                  OUTPUT_VARIABLE drapeaux OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE statut)
  if(NOT statut EQUAL 0)
    message(FATAL_ERROR "dpkg-buildflags --get ${sorte} failed")
  endif()
  separate_arguments(drapeaux UNIX_COMMAND "${drapeaux}")
  list(FILTER drapeaux EXCLUDE REGEX "^-g|^-O|prefix-map=")
  set(VORNA_${sorte} ${drapeaux})
endforeach()
string(REPLACE ";" " " texte "${VORNA_CPPFLAGS};${VORNA_CXXFLAGS};${VORNA_LDFLAGS}")
message(STATUS "Debian's hardening flags: ${texte}")
list(TRANSFORM VORNA_CFLAGS REPLACE "(.+)" "$<$<COMPILE_LANGUAGE:C>:\\1>")
list(TRANSFORM VORNA_CXXFLAGS REPLACE "(.+)" "$<$<COMPILE_LANGUAGE:CXX>:\\1>")
add_compile_options(${VORNA_CPPFLAGS} ${VORNA_CFLAGS} ${VORNA_CXXFLAGS})
add_link_options(${VORNA_LDFLAGS})
