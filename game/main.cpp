// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>

#include "application.h"
#include "systeme.h"

int main(int argc, char** argv) {
    const int statut = SDL_main(argc, argv);
    // Ended by SIGINT or SIGTERM, once everything is released: end by it, so
    // the shell or the caller sees the signal.
    if (const int signal = sys::signalRecu()) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
    return statut;
}
