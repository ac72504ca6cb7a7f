// SPDX-License-Identifier: GPL-3.0-or-later
#include "bibliotheques.h"

#include <dlfcn.h>
#include <errno.h>

#include <cstdio>
#include <future>
#include <mutex>

namespace bibliotheques {
namespace {

// The sonames the programs are built against.
const char* const kFichiers[kNombre] = {"libSDL2_mixer-2.0.so.0", "libcurl.so.4", "libSDL2_image-2.0.so.0"};

struct Ouverture {
    std::once_flag lancee;
    std::shared_future<void*> poignee;
    std::once_flag ditManquante;
};
Ouverture ouvertures[kNombre];

void* ouvrir(Bibliotheque b) {
    void* p = dlopen(kFichiers[b], RTLD_NOW | RTLD_LOCAL);
    if (!p)
        std::fprintf(stderr, "%s: %s cannot be opened (%s)\n", program_invocation_short_name, kFichiers[b],
                     dlerror());
    return p;
}

void lancer(Bibliotheque b, std::launch comment) {
    Ouverture& o = ouvertures[b];
    std::call_once(o.lancee, [&] { o.poignee = std::async(comment, ouvrir, b).share(); });
}

}  // namespace

void precharger() { lancer(Son, std::launch::async); }

void* fonction(Bibliotheque b, const char* nom) {
    lancer(b, std::launch::deferred);
    void* p = ouvertures[b].poignee.get();
    void* f = p ? dlsym(p, nom) : nullptr;
    if (p && !f)
        std::call_once(ouvertures[b].ditManquante, [&] {
            std::fprintf(stderr, "%s: %s lacks %s\n", program_invocation_short_name, kFichiers[b], nom);
        });
    return f;
}

}  // namespace bibliotheques
