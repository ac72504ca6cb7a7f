// SPDX-License-Identifier: GPL-3.0-or-later
#include "mondial.h"

#include <sys/stat.h>

#include <cstdio>
#include <sstream>

#include "envoi_course.h"
#include "fichiers.h"
#include "score.h"

const char* const kDossierMondial = "data/joueur/mondial";

namespace {

const char kFichierRecordsMondiaux[] = "records.txt";
// A ghost is a few megabytes at most (over nine hours of positions is 1 << 20 lines).
const size_t kGhostMax = 48u << 20;

// Keeps `texte` as `nom` in the player's folder, whole or not at all.
bool garder(const std::string& chemin, const std::string& texte) {
    mkdir(kDossierMondial, 0777);
    return ecrireFichierAtomique(chemin, texte);
}

// A ghost: its header line, then at least one position line.
bool estFantome(const std::string& t) {
    const size_t fin = t.find('\n');
    return t.size() > 1 && t[0] == '@' && fin != std::string::npos && fin > 1 && t.compare(fin + 1, 1, "@") == 0;
}

bool entier(const std::string& s, bool signe, long long& n) {
    size_t lu = 0;
    if (s.empty() || s.size() > 12 || (!signe && s[0] == '-')) return false;
    try {
        n = std::stoll(s, &lu);
    } catch (...) {
        return false;
    }
    return lu == s.size();
}

}  // namespace

FantomeMondial::FantomeMondial(unsigned int niveau, const std::string& empreinte) {
    const std::string dossier = std::string(kDossierMondial) + "/";
    if (niveau > 0) {
        m_fichier = dossier + "niveau" + std::to_string(niveau) + ".qzg";
        m_chemin = "/niveau/" + std::to_string(niveau) + "/record.qzg";
    } else if (!empreinte.empty()) {
        m_fichier = dossier + "map-" + empreinte + ".qzg";
        m_chemin = "/map/" + empreinte + "/record.qzg";
    }
}

void FantomeMondial::demander() {
    if (m_chemin.empty()) return;
    m_attendu = m_requete.lancer(racineServeur() + m_chemin, false, "", delaiServeur(), kGhostMax);
}

bool FantomeMondial::suivre() {
    if (!m_attendu || !m_requete.finie()) return false;
    m_attendu = false;
    const RequeteHttp::Reponse r = m_requete.reponse();
    if (r.statut == 404) return false;  // no verified run of this level yet
    if (r.statut != 200 || !estFantome(r.corps)) {
        std::fprintf(stderr, "vorna: the world record's ghost %s could not be fetched (%s)%s\n", m_chemin.c_str(),
                     r.statut ? ("HTTP status " + std::to_string(r.statut)).c_str() : r.erreur.c_str(),
                     r.statut == 200 ? ": not a ghost" : "");
        return false;
    }
    return garder(m_fichier, r.corps);
}

std::map<unsigned int, RecordMondial> lireRecordsMondiaux(const std::string& texte) {
    std::map<unsigned int, RecordMondial> r;
    std::istringstream in(texte);
    for (std::string ligne; std::getline(in, ligne);) {
        std::istringstream l(ligne);
        std::string niveau, points, pas;
        long long n = 0, p = 0, c = 0;
        if (!(l >> niveau >> points >> pas) || !entier(niveau, false, n) || !entier(points, true, p) ||
            !entier(pas, false, c) || n < 1 || n > 1000 || p < -1000000000 || p > 1000000000)
            continue;
        std::string nom;
        std::getline(l, nom);
        if (!nom.empty() && nom[0] == ' ') nom.erase(0, 1);
        if (!nom.empty() && nom.back() == '\r') nom.pop_back();
        r[static_cast<unsigned int>(n)] = RecordMondial{static_cast<int>(p), c, nom};
    }
    return r;
}

void RecordsMondiaux::charger(bool demander) {
    const Lecture l = lireFichierGarde(std::string(kDossierMondial) + "/" + kFichierRecordsMondiaux,
                                       "world records file");
    m_records = lireRecordsMondiaux(l.texte);
    if (demander && !m_attendu)
        m_attendu = m_requete.lancer(racineServeur() + "/records.txt", false, "", delaiServeur(), 64 * 1024);
}

bool RecordsMondiaux::suivre() {
    if (!m_attendu || !m_requete.finie()) return false;
    m_attendu = false;
    const RequeteHttp::Reponse r = m_requete.reponse();
    if (r.statut != 200) return false;  // the ones kept stay
    m_records = lireRecordsMondiaux(r.corps);
    return garder(std::string(kDossierMondial) + "/" + kFichierRecordsMondiaux, r.corps);
}

const RecordMondial* RecordsMondiaux::trouver(unsigned int niveau) const {
    const auto i = m_records.find(niveau);
    return i == m_records.end() ? nullptr : &i->second;
}
