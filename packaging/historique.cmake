# SPDX-License-Identifier: GPL-3.0-or-later
# The history of the versions, kept once, in packaging/changelog (Debian's
# changelog format: one entry a version, newest first, its notes as "  * "
# items). From it come the package's changelog.Debian.gz, the AppStream
# <releases> and the date of the version being built, which the man pages
# show. A version without an entry of its own (cmake -DVORNA_VERSION=1.5,
# make package VERSION=1.5) gets one made at configure time, dated today
# (SOURCE_DATE_EPOCH when set), so the package, its changelog and its
# AppStream release always name the version being built.
#
# Sets VORNA_DATE_VERSION (YYYY-MM-DD), VORNA_RELEASES (the XML of every
# release, newest first) and writes ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.

set(historique ${CMAKE_CURRENT_SOURCE_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${historique})
file(READ ${historique} texte)
set(entete "vorna (${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")
string(FIND "${texte}" "${entete} " debut)
if(debut LESS 0)
  string(TIMESTAMP quand "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(texte "${entete} unstable; urgency=medium

  * Version ${PROJECT_VERSION}, built from the sources before its notes were
    written in packaging/changelog.

 -- ${CPACK_PACKAGE_CONTACT}  ${quand}

${texte}")
else()
  string(SUBSTRING "${texte}" ${debut} -1 texte)  # newer entries left out
endif()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian "${texte}")

# The entries, line by line (";" would split CMake's lists: kept aside).
string(ASCII 1 pv)
string(REPLACE ";" "${pv}" texte "${texte}")
string(REPLACE "\n" ";" lignes "${texte}")
set(mois_Jan 01)
set(mois_Feb 02)
set(mois_Mar 03)
set(mois_Apr 04)
set(mois_May 05)
set(mois_Jun 06)
set(mois_Jul 07)
set(mois_Aug 08)
set(mois_Sep 09)
set(mois_Oct 10)
set(mois_Nov 11)
set(mois_Dec 12)
set(VORNA_RELEASES "")
set(notes "")
foreach(ligne IN LISTS lignes)
  string(REPLACE "&" "&amp;" ligne "${ligne}")
  string(REPLACE "<" "&lt;" ligne "${ligne}")
  string(REPLACE ">" "&gt;" ligne "${ligne}")
  if(ligne MATCHES "^[a-z0-9.+-]+ \\(([^)-]+)-[^)]*\\)")
    set(version ${CMAKE_MATCH_1})
    set(notes "")
  elseif(ligne MATCHES "^  \\* (.*)")
    string(APPEND notes "</li>\n          <li>${CMAKE_MATCH_1}")
  elseif(ligne MATCHES "^    +(.*)")
    string(APPEND notes " ${CMAKE_MATCH_1}")
  elseif(ligne MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    set(jour ${CMAKE_MATCH_1})
    set(date "${CMAKE_MATCH_3}-${mois_${CMAKE_MATCH_2}}-")
    if(jour MATCHES "^[0-9]$")
      set(jour 0${jour})
    endif()
    string(APPEND date ${jour})
    if(NOT DEFINED VORNA_DATE_VERSION)
      set(VORNA_DATE_VERSION ${date})
    endif()
    string(REGEX REPLACE "^</li>\n *" "" notes "${notes}")
    string(APPEND VORNA_RELEASES "    <release version=\"${version}\" date=\"${date}\">
      <description>
        <ul>
          ${notes}</li>
        </ul>
      </description>
    </release>
")
  endif()
endforeach()
string(REPLACE "${pv}" ";" VORNA_RELEASES "${VORNA_RELEASES}")
string(STRIP "${VORNA_RELEASES}" VORNA_RELEASES)
