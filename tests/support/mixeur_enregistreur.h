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
        std::string op;       // "ouvrir", "jouer", "musique", "arret", "pauseVoix", ...
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
    int compte(const std::string& op) const;
    void effacer() { m_appels.clear(); }
    int vivants() const { return m_vivants; }  // samples and musics not freed

    bool ouvrir(int frequence, int voix) override;
    void fermer() override;
    void* chargerEchantillon(const std::string& fichier) override;
    void libererEchantillon(void* e) override;
    int jouerEchantillon(void* e, int volume) override;
    void pauseVoix(int voix, bool pause) override;
    void volumeVoix(int voix, int volume) override;
    void* chargerMusique(const std::string& fichier) override;
    void libererMusique(void* m) override;
    bool jouerMusique(void* m, int boucles, int volume) override;
    void arreterMusique() override;
    void pauseMusique(bool pause) override;
    void volumeMusique(int volume) override;

private:
    struct Jeton { std::string fichier; };
    void* charger(const std::string& f);
    std::vector<Appel> m_appels;
    std::set<std::string> m_manquants;
    bool m_refus = false;
    int m_vivants = 0;
    int m_voix = 0;
};

#endif
