// SPDX-License-Identifier: GPL-3.0-or-later
#include "maps_en_ligne.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <sstream>

#include "caracteres.h"
#include "empreinte.h"
#include "envoi_course.h"
#include "fichiers.h"
#include "lecture_niveau.h"
#include "requete_http.h"
#include "niveau.h"
#include "repertoire.h"
#include "score.h"
#include "simulation.h"
#include "textes_partie.h"
#include "traduction.h"

namespace {

// A map file is 256 KB at most on the server; its list, 50 lines a page.
const size_t kCarteMax = 256 * 1024;
const size_t kListeMax = 256 * 1024;
const size_t kLigneEcran = 40;  // the characters of a line of the menu

std::vector<std::string> champs(const std::string& ligne, char separateur) {
    std::vector<std::string> r;
    std::istringstream in(ligne);
    for (std::string c; std::getline(in, c, separateur);) r.push_back(c);
    if (!ligne.empty() && ligne.back() == separateur) r.emplace_back();
    return r;
}

// A decimal of at most 18 digits, with a '-' when `signe`.
bool nombre(const std::string& s, bool signe, long long& n) {
    const size_t debut = signe && !s.empty() && s[0] == '-' ? 1 : 0;
    if (s.size() <= debut || s.size() - debut > 18 || s.find_first_not_of("0123456789", debut) != std::string::npos)
        return false;
    n = std::stoll(s);
    return true;
}

bool lireMap(const std::string& ligne, MapEnLigne& m) {
    const std::vector<std::string> c = champs(ligne, '\t');
    long long id = 0, points = 0, pas = 0;
    if (c.size() != 8 || !nombre(c[0], false, id) || id <= 0 || c[1].size() != 64 ||
        c[1].find_first_not_of("0123456789abcdef") != std::string::npos || !nombre(c[5], false, m.parties) ||
        !texteMontrable(c[6], 400) || !texteMontrable(c[7], 400))
        return false;
    m.record = c[2] != "-";
    if (m.record && (!nombre(c[2], true, points) || points < -1000000000 || points > 1000000000 ||
                     !nombre(c[3], false, pas) || !texteMontrable(c[4], 400)))
        return false;
    m.id = static_cast<unsigned long long>(id);
    m.empreinte = c[1];
    m.points = static_cast<int>(points);
    m.pas = pas;
    m.nomRecord = m.record ? c[4] : std::string();
    m.auteur = c[6];
    m.titre = c[7];
    return true;
}

// The first `n` characters of `s`, "..." ending it when it was longer.
std::string couper(const std::string& s, size_t n) {
    const std::u32string c = enCaracteres(s);
    return c.size() <= n ? s : enUtf8(c.substr(0, n > 3 ? n - 3 : 0)) + "...";
}

bool signeGarde(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::u32string(U" -_.,'()!+&").find(c) != std::u32string::npos ||
           (c >= 0xA0 && c != 0xFFFD && c != 0x2028 && c != 0x2029);
}

}  // namespace

ListeMaps lireListeMaps(const std::string& texte) {
    ListeMaps l;
    std::istringstream in(texte);
    std::string ligne;
    if (!std::getline(in, ligne)) return l;
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    const std::vector<std::string> t = champs(ligne, ' ');
    if (t.size() != 6 || t[0] != "maps" || t[2] != "page" || t[4] != "pages" || !nombre(t[1], false, l.total) ||
        !nombre(t[3], false, l.page) || !nombre(t[5], false, l.pages))
        return l;
    l.lue = true;
    while (std::getline(in, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        MapEnLigne m;
        if (lireMap(ligne, m)) l.maps.push_back(m);
    }
    return l;
}

std::string texteMapEnLigne(const MapEnLigne& m) {
    const std::string record =
        m.record ? " " + std::to_string(m.points) + " " + texteChrono(millisecondes(m.pas)) : std::string();
    return couper(m.titre + " - " + m.auteur, kLigneEcran - record.size()) + record;
}

std::string nomDeMap(const std::string& titre) {
    std::u32string nom;
    for (char32_t c : enCaracteres(titre)) {
        if (!signeGarde(c)) continue;
        const char32_t avant = nom.empty() ? U' ' : nom.back();
        // No leading dot, space or dash, no two dots or spaces in a row.
        if ((c == '.' || c == ' ' || c == '-') && nom.empty()) continue;
        if ((c == '.' || c == ' ') && avant == c) continue;
        nom += c;
    }
    while (!nom.empty() && (nom.back() == ' ' || nom.back() == '.')) nom.pop_back();
    if (nom.empty()) return "map";
    const std::string fichier = nomDeFichierBorne("", enUtf8(nom), ".txt", 8);  // room for "-NNN"
    return fichier.substr(0, fichier.size() - 4);
}

std::string mapDeMemeEmpreinte(const std::string& e) {
    for (const std::string& f : listerFichiers("./maps", ".txt"))
        if (empreinteFichier("maps/" + f) == e) return f.substr(0, f.size() - 4);
    return std::string();
}

std::string garderMap(const std::string& titre, const std::string& octets) {
    mkdir("maps", 0777);
    const std::string base = nomDeMap(titre);
    for (int n = 1; n <= 1000; ++n) {
        const std::string nom = n == 1 ? base : base + "-" + std::to_string(n);
        if (ecrireFichierAtomique(cheminMapPerso(nom), octets, false)) return nom;
        if (errno != EEXIST) return std::string();  // said on standard error
    }
    std::fprintf(stderr, "vorna: no free name for the map %s in maps/\n", base.c_str());
    return std::string();
}

struct MapsEnLigne::Page {
    RequeteHttp requete;
    bool attendue = false;
    bool demandee = false;
    Etat etat = Chargement;
    std::vector<MapEnLigne> maps;
};

MapsEnLigne::MapsEnLigne() {
    for (auto& p : m_pages) p = std::make_unique<Page>();
}
MapsEnLigne::~MapsEnLigne() = default;

void MapsEnLigne::demander(Page& p, Tri tri) {
    if (p.requete.enCours()) return;
    const std::string url = racineServeur() + "/maps.txt?tri=" + (tri == Recentes ? "recent" : "joues") + "&page=1";
    p.attendue = p.requete.lancer(url, false, "", delaiServeur(), kListeMax);
    p.demandee = true;
    if (p.maps.empty()) p.etat = Chargement;
}

void MapsEnLigne::ouvrir() {
    m_message.clear();
    demander(*m_pages[m_tri], m_tri);
}

void MapsEnLigne::changerTri() {
    m_tri = m_tri == Recentes ? Jouees : Recentes;
    if (!m_pages[m_tri]->demandee) demander(*m_pages[m_tri], m_tri);
}

void MapsEnLigne::abandonner() {
    if (m_carte) m_oubliees.push_back(std::move(m_carte));
    m_message.clear();
}

bool MapsEnLigne::choisir(size_t i, std::string& nom) {
    const std::vector<MapEnLigne>& l = maps();
    if (i >= l.size()) return false;
    abandonner();
    m_choisie = l[i];
    nom = mapDeMemeEmpreinte(m_choisie.empreinte);
    if (!nom.empty()) return true;  // downloaded already: played as it is
    m_carte = std::make_unique<RequeteHttp>();
    m_carte->lancer(racineServeur() + "/maps/" + std::to_string(m_choisie.id) + "/carte.txt", false, "",
                    delaiServeur(), kCarteMax);
    m_message = tr("Telechargement...");
    return false;
}

bool MapsEnLigne::suivre(std::string& nom) {
    for (int t = 0; t < 2; ++t) {
        Page& p = *m_pages[t];
        if (!p.attendue || !p.requete.finie()) continue;
        p.attendue = false;
        const RequeteHttp::Reponse r = p.requete.reponse();
        ListeMaps l = lireListeMaps(r.corps);
        if (r.statut == 200 && l.lue) {
            p.maps = std::move(l.maps);
            p.etat = Liste;
            continue;
        }
        std::fprintf(stderr, "vorna: the list of maps could not be fetched from %s (%s)\n", serveurScore().c_str(),
                     r.statut == 200 ? "not a list of maps"
                     : r.statut     ? ("HTTP status " + std::to_string(r.statut)).c_str()
                                    : r.erreur.c_str());
        if (p.maps.empty()) p.etat = Injoignable;  // a list fetched before stays
    }
    for (size_t k = m_oubliees.size(); k-- > 0;)
        if (!m_oubliees[k]->enCours()) m_oubliees.erase(m_oubliees.begin() + static_cast<long>(k));
    if (!m_carte || !m_carte->finie()) return false;
    const RequeteHttp::Reponse r = m_carte->reponse();
    m_carte.reset();
    return garderTelechargement(r, nom);
}

// The map downloaded is kept when it is the one listed (its hash) and a
// level the game can read.
bool MapsEnLigne::garderTelechargement(const RequeteHttp::Reponse& r, std::string& nom) {
    ContenuNiveau contenu;
    std::string pourquoi;
    if (r.statut != 200)
        pourquoi = r.statut ? "HTTP status " + std::to_string(r.statut) : r.erreur.empty() ? "no answer" : r.erreur;
    else if (empreinte(r.corps) != m_choisie.empreinte)
        pourquoi = "not the map listed";
    else if (!chargerNiveauOctets(r.corps, ReglesNiveau(), contenu))
        pourquoi = "no level the game can read";
    if (!pourquoi.empty()) {
        std::fprintf(stderr, "vorna: the map %llu could not be downloaded (%s)\n", m_choisie.id, pourquoi.c_str());
        m_message = r.statut == 200 ? tr("Map recue illisible") : tr("Telechargement impossible");
        return false;
    }
    nom = garderMap(m_choisie.titre, r.corps);
    m_message = nom.empty() ? tr("Map non enregistree") : std::string();
    return !nom.empty();
}

MapsEnLigne::Etat MapsEnLigne::etat() const { return m_pages[m_tri]->etat; }
const std::vector<MapEnLigne>& MapsEnLigne::maps() const { return m_pages[m_tri]->maps; }

std::string MapsEnLigne::titre() const {
    return m_tri == Recentes ? tr("Maps en ligne : recentes") : tr("Maps en ligne : les plus jouees");
}

std::vector<std::string> MapsEnLigne::etatTexte() const {
    switch (etat()) {
    case Chargement: return {tr("Chargement...")};
    case Injoignable: return {tr("Serveur des maps injoignable"), tr("Maps deja telechargees : Map perso")};
    default: return maps().empty() ? std::vector<std::string>{tr("Aucune map publiee")} : std::vector<std::string>{};
    }
}

std::string MapsEnLigne::detail(size_t i) const {
    if (!m_message.empty() || i >= maps().size() || !maps()[i].record) return m_message;
    const MapEnLigne& m = maps()[i];
    return formater(tr("Record : %s, parties : %lld"), couper(m.nomRecord, 16).c_str(), m.parties);
}
