// SPDX-License-Identifier: GPL-3.0-or-later
#include "niveaux_connus.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>

#include "empreinte.h"
#include "lecture_niveau.h"
#include "scenarios.h"

namespace {

const long long kTailleMax = 16LL << 20;  // far beyond any course

// The bytes of a regular file of at most kTailleMax bytes; false otherwise.
bool lireOctets(const std::string& chemin, std::string& octets) {
    struct stat s{};
    if (stat(chemin.c_str(), &s) != 0 || !S_ISREG(s.st_mode) || s.st_size > kTailleMax) return false;
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    octets = o.str();
    return static_cast<bool>(f);
}

bool estUnNiveau(const std::string& octets) {
    ContenuNiveau c;
    return chargerNiveauOctets(octets, ReglesNiveau(), c);
}

}  // namespace

int NiveauxConnus::chargerScenarios(const std::string& dossier) {
    int n = 0;
    for (unsigned i = 1; i <= kNombreScenarios; ++i) {
        const std::string chemin = dossier + "/map" + std::to_string(i) + ".qzm";
        auto niveau = std::make_shared<NiveauConnu>();
        if (!lireOctets(chemin, niveau->octets) || !estUnNiveau(niveau->octets)) {
            std::fprintf(stderr, "vorna-scores: the scenario level %s cannot be read; its runs are refused\n",
                         chemin.c_str());
            continue;
        }
        niveau->numero = static_cast<int>(i);
        niveau->empreinte = empreinte(niveau->octets);
        niveau->pointsDepart = niveauScenario(i)->points;
        niveau->chemin = "maps/niveau/map" + std::to_string(i) + ".qzm";
        ajouter(std::move(niveau));
        ++n;
    }
    return n;
}

std::shared_ptr<const NiveauConnu> niveauCarte(const std::string& octets) {
    if (!estUnNiveau(octets)) return nullptr;
    auto carte = std::make_shared<NiveauConnu>();
    carte->octets = octets;
    carte->empreinte = empreinte(octets);
    carte->chemin = "maps/" + carte->empreinte + ".txt";
    return carte;
}

bool NiveauxConnus::ajouterCarte(const std::string& octets) {
    auto carte = niveauCarte(octets);
    if (carte) ajouter(std::move(carte));
    return carte != nullptr;
}

void NiveauxConnus::ajouter(std::shared_ptr<const NiveauConnu> n) {
    std::unique_lock<std::shared_mutex> verrou(m_mutex);
    if (n->numero > 0) m_parNumero[n->numero] = n;
    m_parEmpreinte.emplace(n->empreinte, n);  // a scenario level's bytes stay that level
}

std::shared_ptr<const NiveauConnu> NiveauxConnus::parNumero(int numero) const {
    std::shared_lock<std::shared_mutex> verrou(m_mutex);
    const auto i = m_parNumero.find(numero);
    return i == m_parNumero.end() ? nullptr : i->second;
}

std::shared_ptr<const NiveauConnu> NiveauxConnus::parEmpreinte(const std::string& empreinte) const {
    std::shared_lock<std::shared_mutex> verrou(m_mutex);
    const auto i = m_parEmpreinte.find(empreinte);
    return i == m_parEmpreinte.end() ? nullptr : i->second;
}

size_t NiveauxConnus::nombre() const {
    std::shared_lock<std::shared_mutex> verrou(m_mutex);
    return m_parEmpreinte.size();
}

std::string dossierNiveauxParDefaut() {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string ici = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();
    ici = ici.substr(0, ici.find_last_of('/') + 1);
    for (const std::string& d : {ici + "../share/vorna/maps/niveau", ici + "../game/maps/niveau"}) {
        struct stat s{};
        if (stat((d + "/map1.qzm").c_str(), &s) == 0) return d;
    }
    return ici + "../share/vorna/maps/niveau";
}
