// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_PROCESSUS_H
#define VORNA_PROCESSUS_H

#include <functional>
#include <string>
#include <vector>

// What became of a program started by lancerProgramme.
struct Lancement {
    bool demarre = false;  // the program was executed
    int erreur = 0;        // when not: the errno of the failed fork or exec
    int statut = -1;       // when waited for: its exit status (−1 if a signal ended it)
};

// Starts the program `argv[0]` (searched in PATH when the name holds no '/')
// with the arguments `argv` through fork and exec, never through a shell, so
// every argument reaches it untouched. With `attendre` the call returns when
// the program has ended, with its exit status; otherwise the program is
// detached (adopted by init through a double fork, its standard input on
// /dev/null, in a session of its own) and the call returns once it has been
// executed. It gets the user's environment (langue.h). While it waits, a
// true `arreter()` (asked every 20 ms) ends the program: SIGTERM, and SIGKILL
// if it is still there 3 s later.
Lancement lancerProgramme(const std::vector<std::string>& argv, bool attendre,
                          const std::function<bool()>& arreter = {});

#endif
