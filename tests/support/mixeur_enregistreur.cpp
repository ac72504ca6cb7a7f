#include "mixeur_enregistreur.h"

MixeurEnregistreur::MixeurEnregistreur() { audio::installer(this); }
MixeurEnregistreur::~MixeurEnregistreur() { audio::installer(nullptr); }

std::vector<MixeurEnregistreur::Appel> MixeurEnregistreur::appels(const std::string& op) const {
    std::vector<Appel> r;
    for (const Appel& a : m_appels)
        if (a.op == op) r.push_back(a);
    return r;
}

int MixeurEnregistreur::compte(const std::string& op) const {
    return static_cast<int>(appels(op).size());
}

bool MixeurEnregistreur::ouvrir(int frequence, int voix) {
    m_appels.push_back({"ouvrir", "", -1, frequence * 100 + voix});
    return !m_refus;
}

void MixeurEnregistreur::fermer() { m_appels.push_back({"fermer", "", -1, 0}); }

void* MixeurEnregistreur::charger(const std::string& f) {
    if (m_manquants.count(f)) return nullptr;
    ++m_vivants;
    return new Jeton{f};
}

void* MixeurEnregistreur::chargerEchantillon(const std::string& f) {
    m_appels.push_back({"charger", f, -1, 0});
    return charger(f);
}

void MixeurEnregistreur::libererEchantillon(void* e) {
    auto* j = static_cast<Jeton*>(e);
    m_appels.push_back({"liberer", j->fichier, -1, 0});
    --m_vivants;
    delete j;
}

int MixeurEnregistreur::jouerEchantillon(void* e, int volume) {
    m_appels.push_back({"jouer", static_cast<Jeton*>(e)->fichier, volume, 0});
    return m_voix++ % 32;
}

void MixeurEnregistreur::pauseVoix(int voix, bool pause) {
    m_appels.push_back({"pauseVoix", "", pause ? 1 : 0, voix});
}

void MixeurEnregistreur::volumeVoix(int voix, int volume) {
    m_appels.push_back({"volumeVoix", "", volume, voix});
}

void* MixeurEnregistreur::chargerMusique(const std::string& f) {
    m_appels.push_back({"chargerMusique", f, -1, 0});
    return charger(f);
}

void MixeurEnregistreur::libererMusique(void* m) {
    auto* j = static_cast<Jeton*>(m);
    m_appels.push_back({"libererMusique", j->fichier, -1, 0});
    --m_vivants;
    delete j;
}

bool MixeurEnregistreur::jouerMusique(void* m, int boucles, int volume) {
    m_appels.push_back({"musique", static_cast<Jeton*>(m)->fichier, volume, boucles});
    return true;
}

void MixeurEnregistreur::arreterMusique() { m_appels.push_back({"arret", "", -1, 0}); }

void MixeurEnregistreur::pauseMusique(bool pause) {
    m_appels.push_back({"pauseMusique", "", pause ? 1 : 0, 0});
}

void MixeurEnregistreur::volumeMusique(int volume) {
    m_appels.push_back({"volumeMusique", "", volume, 0});
}
