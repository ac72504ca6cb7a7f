// SPDX-License-Identifier: GPL-3.0-or-later
#include "mixeur_enregistreur.h"

MixeurEnregistreur::MixeurEnregistreur() { audio::installer(this); }
MixeurEnregistreur::~MixeurEnregistreur() { audio::installer(nullptr); }

std::vector<MixeurEnregistreur::Appel> MixeurEnregistreur::appels(const std::string& op) const {
    std::vector<Appel> r;
    for (const Appel& a : m_appels)
        if (a.op == op) r.push_back(a);
    return r;
}

void* MixeurEnregistreur::charger(const char* op, const std::string& f) {
    m_appels.push_back({op, f, -1, 0});
    if (m_manquants.count(f)) return nullptr;
    ++m_vivants;
    return new Jeton{f};
}

void MixeurEnregistreur::liberer(const char* op, void* jeton) {
    auto* j = static_cast<Jeton*>(jeton);
    m_appels.push_back({op, j->fichier, -1, 0});
    --m_vivants;
    delete j;
}

int MixeurEnregistreur::jouerEchantillon(void* e, int volume) {
    m_appels.push_back({"jouer", static_cast<Jeton*>(e)->fichier, volume, 0});
    return m_voix++ % 32;
}

bool MixeurEnregistreur::jouerMusique(void* m, int boucles, int volume) {
    m_appels.push_back({"musique", static_cast<Jeton*>(m)->fichier, volume, boucles});
    return true;
}
