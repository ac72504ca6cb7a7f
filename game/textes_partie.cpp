// SPDX-License-Identifier: GPL-3.0-or-later
#include "textes_partie.h"

#include <cstdarg>
#include <cstdio>

namespace {

struct Temps {
    int minutes, secondes, dixiemes;
    explicit Temps(int t)
        : minutes(t / 60000), secondes(t / 1000 - 60 * (t / 60000)), dixiemes((t % 1000) / 100) {}
};

}  // namespace

std::string formater(const char* format, ...) {
    char buf[256];
    va_list a;
    va_start(a, format);
    std::vsnprintf(buf, sizeof buf, format, a);
    va_end(a);
    return buf;
}

std::string texteChrono(int millisecondes) {
    const Temps t(millisecondes);
    char buf[48];
    std::snprintf(buf, sizeof buf, t.secondes <= 9 ? "%d:0%d:%d" : "%d:%d:%d", t.minutes,
                  t.secondes, t.dixiemes);
    return buf;
}

std::string texteVies(double vies) {
    char buf[64];
    std::snprintf(buf, sizeof buf, vies > 1 ? "%g vies" : "%g vie", vies);
    return buf;
}

std::string texteFinNiveau(int points, int millisecondes) {
    const Temps t(millisecondes);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d[%d:%d:%d]", points, t.minutes, t.secondes, t.dixiemes);
    return buf;
}
