// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_TEST_MIXEUR_ENREGISTREUR_H
#define VORNA_TEST_MIXEUR_ENREGISTREUR_H

#include <set>
#include <string>
#include <vector>

#include "audio.h"

// A mixer that plays nothing and remembers everything, installed in place of
// SDL_mixer for the life of the object. Every file loads (as a token naming
// it) unless it is listed as missing.
class MixeurEnregistreur : public audio::Mixeur {
public:
    struct Appel {
        std::string op;       // "jouer", "musique", "arret", "pauseVoix", "fermer", ...
        std::string fichier;  // the sample or music file, when there is one
        int volume = -1;      // 0..255 as sent to the machine; 1/0 for a pause/resume
        int valeur = 0;       // loops for "musique", the voice for "pauseVoix" and "volumeVoix"
    };

    MixeurEnregistreur();
    ~MixeurEnregistreur() override;

    void manquant(const std::string& fichier) { m_manquants.insert(fichier); }
    void refuserOuverture() { m_refus = true; }

    const std::vector<Appel>& appels() const { return m_appels; }
    // The calls of one kind, in order.
    std::vector<Appel> appels(const std::string& op) const;
    int compte(const std::string& op) const { return static_cast<int>(appels(op).size()); }
    void effacer() { m_appels.clear(); }
    int vivants() const { return m_vivants; }  // samples and musics not freed

    bool ouvrir(int, int) override { return !m_refus; }
    void fermer() override { m_appels.push_back({"fermer", "", -1, 0}); }
    void* chargerEchantillon(const std::string& fichier) override { return charger("charger", fichier); }
    void libererEchantillon(void* e) override { liberer("liberer", e); }
    int jouerEchantillon(void* e, int volume) override;
    void pauseVoix(int voix, bool pause) override { m_appels.push_back({"pauseVoix", "", pause ? 1 : 0, voix}); }
    void volumeVoix(int voix, int volume) override { m_appels.push_back({"volumeVoix", "", volume, voix}); }
    void* chargerMusique(const std::string& fichier) override { return charger("chargerMusique", fichier); }
    void libererMusique(void* m) override { liberer("libererMusique", m); }
    bool jouerMusique(void* m, int boucles, int volume) override;
    void arreterMusique() override { m_appels.push_back({"arret", "", -1, 0}); }
    void pauseMusique(bool pause) override { m_appels.push_back({"pauseMusique", "", pause ? 1 : 0, 0}); }
    void volumeMusique(int volume) override { m_appels.push_back({"volumeMusique", "", volume, 0}); }

private:
    struct Jeton { std::string fichier; };
    void* charger(const char* op, const std::string& f);
    void liberer(const char* op, void* jeton);
    std::vector<Appel> m_appels;
    std::set<std::string> m_manquants;
    bool m_refus = false;
    int m_vivants = 0;
    int m_voix = 0;
};

#endif
