# SPDX-License-Identifier: GPL-3.0-or-later
# A new game folder starts with scenario level 1 unlocked. An existing progress
# file is the player's own and is never touched.
if(NOT EXISTS "${FILE}")
  file(WRITE "${FILE}" "1")
endif()
