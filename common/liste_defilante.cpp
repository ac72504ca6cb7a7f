// SPDX-License-Identifier: GPL-3.0-or-later
#include "liste_defilante.h"

#include <algorithm>

FenetreListe fenetreListe(size_t total, size_t visibles, size_t choix, size_t& premier) {
    FenetreListe f;
    if (total <= visibles || visibles == 0) {
        premier = 0;
        f.fin = total;
        return f;
    }
    choix = std::min(choix, total - 1);
    premier = std::clamp(premier, choix + 1 > visibles ? choix + 1 - visibles : 0, choix);
    premier = std::min(premier, total - visibles);
    f.debut = premier;
    f.fin = premier + visibles;
    f.plusHaut = f.debut > 0;
    f.plusBas = f.fin < total;
    return f;
}
