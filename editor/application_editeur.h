// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_EDITEUR_APPLICATION_H
#define VORNA_EDITEUR_APPLICATION_H

namespace editeur {

// The whole bramelt program: the command line, the window, the menu, and
// shutdown. Reads and writes relative to the working directory, which must be
// the game folder. Returns the exit status.
int lancerBramelt(int argc, char** argv);

}  // namespace editeur

#endif
