#include "chantier.h"
#include "niveaux.h"
namespace {
std::vector<Enregistrement> petit() {
    Chantier c(0, 0, 0, carre(0, 0, 4));
    c.sol(bandeX(-4, -40, 0, 8), 0);
    c.arrivee(bandeX(-40, -48, 0, 8), 0);
    return c.enregistrements();
}
}
std::vector<Enregistrement> pyramid() { return petit(); }
std::vector<Enregistrement> deltaCity() { return petit(); }
std::vector<Enregistrement> mountain() { return petit(); }
std::vector<Enregistrement> peak() { return petit(); }
std::vector<Enregistrement> cage() { return petit(); }
std::vector<Enregistrement> belvedere() { return petit(); }
std::vector<Enregistrement> toboggan() { return petit(); }
std::vector<Enregistrement> archipel() { return petit(); }
