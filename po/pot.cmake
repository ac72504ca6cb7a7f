# SPDX-License-Identifier: GPL-3.0-or-later
# xgettext over the files FICHIERS lists (paths relative to SOURCES) into SORTIE, without
# the date of extraction, so the same sources give the same bytes.
execute_process(
  COMMAND ${XGETTEXT} --from-code=UTF-8 --language=C++ --keyword --keyword=tr --keyword=aTraduire --keyword=textePage
          --keyword=trContexte:1c,2 --keyword=aTraduireContexte:1c,2 --add-comments=TRANSLATORS: --add-location=file --package-name=vorna
          --msgid-bugs-address=vorna@vorna-game.org -o ${SORTIE}.tmp --files-from=${FICHIERS}
  WORKING_DIRECTORY ${SOURCES}
  RESULT_VARIABLE statut ERROR_VARIABLE erreurs)
# A marked text holding a byte that is no UTF-8 (a Latin-1 "\xe9") would be
# looked up under other bytes than the program's and never translated: xgettext
# says so, and the build stops.
if(NOT statut EQUAL 0 OR erreurs MATCHES "multibyte")
  message(FATAL_ERROR "xgettext failed: ${erreurs}")
endif()
file(READ ${SORTIE}.tmp texte)
string(REGEX REPLACE "\"POT-Creation-Date: [^\"]*\"\n" "" texte "${texte}")
file(WRITE ${SORTIE} "${texte}")
file(REMOVE ${SORTIE}.tmp)
