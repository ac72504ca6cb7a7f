// SPDX-License-Identifier: GPL-3.0-or-later
#include "textes_partie.h"

#include <cstdio>

namespace {

struct Temps {
    int minutes, secondes, dixiemes;
    explicit Temps(int t)
        : minutes(t / 60000), secondes(t / 1000 - 60 * (t / 60000)), dixiemes((t % 1000) / 100) {}
};

}  // namespace

std::string texteChrono(int millisecondes) {
    const Temps t(millisecondes);
    char buf[48];
    std::snprintf(buf, sizeof buf, t.secondes <= 9 ? "%d:0%d:%d" : "%d:%d:%d", t.minutes,
                  t.secondes, t.dixiemes);
    return buf;
}

std::string texteVies(double vies) {
    // French takes the singular up to one; other languages may not below it.
    if (vies > 1) return formater(tr("%g vies"), vies);
    if (vies == 1) return formater(tr("%g vie"), vies);
    return formater(trContexte("moins d'une", "%g vie"), vies);
}

std::string texteFinNiveau(int points, int millisecondes) {
    const Temps t(millisecondes);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d[%d:%d:%d]", points, t.minutes, t.secondes, t.dixiemes);
    return buf;
}
