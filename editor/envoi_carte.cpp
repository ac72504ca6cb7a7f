// SPDX-License-Identifier: GPL-3.0-or-later
#include "envoi_carte.h"

#include "caracteres.h"
#include "traduction.h"
#include "requete_http.h"

namespace editeur {

namespace {

const long kDelaiDefaut = 20000;
long delai = kDelaiDefaut;

std::string section(const std::string& nom, const std::string& octets) {
    return nom + " " + std::to_string(octets.size()) + "\n" + octets;
}

// The value of "CLE VALEUR".
bool champ(const std::string& ligne, const std::string& cle, std::string& valeur) {
    if (ligne.compare(0, cle.size() + 1, cle + ' ') != 0) return false;
    valeur = ligne.substr(cle.size() + 1);
    return texteMontrable(valeur, 200);
}

bool chiffres(const std::string& s) {
    return !s.empty() && s.size() <= 12 && s.find_first_not_of("0123456789") == std::string::npos;
}

// "/maps/ID": a path of the server, nothing a browser would take elsewhere.
bool adresseSure(const std::string& a) {
    return a.size() > 1 && a[0] == '/' && a[1] != '/' && a.find_first_of(" \"<>\\") == std::string::npos;
}

ReponseCarte injoignable(const std::string& raison) {
    ReponseCarte r;
    r.raison = raison;
    return r;
}

}  // namespace

std::string enveloppeCarte(const std::string& titre, const std::string& auteur, const std::string& carte,
                           const std::string& apercu, const std::string& course) {
    return "vorna-carte 1\ntitre " + titre + "\nauteur " + auteur + "\n" + section("carte", carte) +
           section("apercu", apercu) + section("course", course);
}

std::string nettoyerChamp(const std::string& brut, std::size_t max) {
    const std::size_t debut = brut.find_first_not_of(' '), fin = brut.find_last_not_of(' ');
    if (debut == std::string::npos) return "";
    const std::string t = brut.substr(debut, fin - debut + 1);
    for (unsigned char c : t)
        if (c < 0x20 || c == 0x7F) return "";
    const std::u32string u = enCaracteres(t);
    for (char32_t c : u)
        if (c >= 0x80 && c < 0xA0) return "";
    return u.size() <= max ? t : "";
}

ReponseCarte lireReponseCarte(const RequeteHttp::Reponse& h) {
    if (h.statut == 0) return injoignable(h.erreur.empty() ? "no answer" : h.erreur);
    const std::vector<std::string> l = lignesReponse(h.corps);
    ReponseCarte r;
    if (h.statut == 201 || h.statut == 409) {
        if (l.size() < 3 || l[0] != (h.statut == 201 ? "publiee" : "existe") || !champ(l[1], "id", r.id) ||
            !chiffres(r.id) || !champ(l[2], "adresse", r.adresse) || !adresseSure(r.adresse))
            return injoignable("an answer that is not the score server's");
        r.issue = h.statut == 201 ? ReponseCarte::Publiee : ReponseCarte::Existe;
        return r;
    }
    if (((h.statut >= 400 && h.statut < 500) || h.statut == 503) && l.size() >= 2 && champ(l[0], "refuse", r.mot) &&
        texteMontrable(l[1], 200)) {
        r.issue = ReponseCarte::Refusee;
        r.phrase = l[1];
        return r;
    }
    if (h.statut == 413 || h.statut == 429) {
        r.issue = ReponseCarte::Refusee;
        r.mot = h.statut == 413 ? "trop-gros" : "limite";
        r.phrase = h.statut == 413 ? tr("Map trop grosse pour le serveur") : tr("Trop de maps publiees aujourd'hui");
        return r;
    }
    return injoignable("HTTP status " + std::to_string(h.statut));
}

std::vector<std::string> lignesReponseCarte(const ReponseCarte& r) {
    switch (r.issue) {
    case ReponseCarte::Publiee: return {tr("Map publiee"), r.adresse};
    case ReponseCarte::Existe: return {tr("Map deja publiee"), r.adresse};
    case ReponseCarte::Refusee: return {tr("Publication refusee"), r.phrase};
    default: return {tr("Serveur injoignable"), tr("Reessayez plus tard")};
    }
}

long delaiPublication() { return delai; }
void setDelaiPublication(long ms) { delai = ms > 0 ? ms : kDelaiDefaut; }

}  // namespace editeur
