// SPDX-License-Identifier: GPL-3.0-or-later
#include "envoi_course.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "empreinte.h"
#include "score.h"
#include "traduction.h"
#include "requete_http.h"

namespace {

long delai = kDelaiServeurMs;

// The value of "CLE VALEUR".
bool champ(const std::string& ligne, const std::string& cle, std::string& valeur) {
    if (ligne.compare(0, cle.size() + 1, cle + ' ') != 0) return false;
    valeur = ligne.substr(cle.size() + 1);
    return !valeur.empty();
}

ReponseCourse injoignable(const std::string& raison) {
    ReponseCourse r;
    r.raison = raison;
    return r;
}

}  // namespace

std::string empreinteFichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream octets;
    octets << f.rdbuf();
    return f ? empreinte(octets.str()) : std::string();
}

long delaiServeur() { return delai; }
void setDelaiServeur(long ms) { delai = ms > 0 ? ms : kDelaiServeurMs; }

ReponseCourse lireReponseCourse(const RequeteHttp::Reponse& h) {
    if (h.statut == 0) return injoignable(h.erreur.empty() ? "no answer" : h.erreur);
    const std::vector<std::string> l = lignesReponse(h.corps);
    ReponseCourse r;
    std::string id, place;
    if (h.statut == 200) {
        if (l.size() < 4 || l[0] != "verifie" || !champ(l[1], "id", id) || !champ(l[2], "place", place) ||
            !champ(l[3], "nom", r.nom) || place.size() > 9 || place.find_first_not_of("0123456789") != std::string::npos ||
            place[0] == '0' || r.nom[0] != '/' || r.nom.find_first_of(" \"<>\\") != std::string::npos ||
            !texteMontrable(r.nom, 160))
            return injoignable("an answer that is not the score server's");
        r.issue = ReponseCourse::Verifiee;
        r.place = std::atoi(place.c_str());
        return r;
    }
    if (h.statut >= 400 && h.statut < 500 && l.size() >= 2 && champ(l[0], "refuse", r.mot) && texteMontrable(r.mot, 160) &&
        texteMontrable(l[1], 160)) {
        r.issue = ReponseCourse::Refusee;
        r.phrase = l[1];
        return r;
    }
    if (h.statut == 429) {
        r.issue = ReponseCourse::Refusee;
        r.mot = "limite";
        r.phrase = tr("Trop d'envois : reessayer plus tard");
        return r;
    }
    return injoignable("HTTP status " + std::to_string(h.statut));
}

std::string texteReponseCourse(const ReponseCourse& r) {
    switch (r.issue) {
    case ReponseCourse::Verifiee: return formater(tr("Score verifie : %de place"), r.place);
    case ReponseCourse::Refusee: return r.phrase;
    default: return tr("Serveur des scores injoignable");
    }
}

bool EnvoiCourse::envoyer(const Course& c) {
    if (!m_requete.lancer(racineServeur() + "/course", true, encoderCourse(c), delaiServeur(), 64 * 1024))
        return false;
    m_attendue = true;
    return true;
}

bool EnvoiCourse::suivre(ReponseCourse& r) {
    if (!m_attendue || !m_requete.finie()) return false;
    m_attendue = false;
    r = lireReponseCourse(m_requete.reponse());
    return true;
}
