// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages.h"

#include <cstdio>
#include <ctime>

#include "html.h"
#include "nom_joueur.h"
#include "scenarios.h"
#include "simulation.h"
#include "textes_pages.h"
#include "traduction.h"

namespace {

// Marked for the catalogue (platform/traduction.h); textePage translates it.
const char* const kExplicationVerifie = aTraduire(
    "Les courses vérifiées ont été rejouées par ce serveur depuis les touches du joueur ; les scores "
    "non vérifiés, envoyés par les anciennes versions du jeu, viennent après elles.");

std::string titre(int niveau) {
    const NiveauScenario* n = niveauScenario(static_cast<unsigned>(niveau));
    return n ? n->titre : "Map perso";
}

}  // namespace

std::string chronoLisible(const Entree& e) {
    if (!e.verifie) return "\xe2\x80\x93";
    const int64_t ms = e.chrono * 1000 / kPasParSeconde;
    char t[32];
    std::snprintf(t, sizeof t, "%lld:%02lld.%02lld", static_cast<long long>(ms / 60000),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000 / 10));
    return t;
}

std::string enteteClassement() {
    return "<p>" + textePage(kExplicationVerifie) + "</p>\n<table><tr><th>" + textePage("Rang") + "</th><th>" +
           textePage("Nom") + "</th><th>" + textePage("Points") + "</th><th>" + textePage("Temps") + "</th><th>" +
           textePage("Course") + "</th><th>" + textePage("Date") + "</th></tr>\n";
}

std::string ligneClassement(int rang, const Entree& e, bool nouveau) {
    return std::string(nouveau ? "<tr class=\"nouveau\" id=\"nouveau\">" : "<tr>") + "<td class=\"n\">" +
           std::to_string(rang) + "</td><td class=\"nom\">" + echapperHtml(e.nom) + "</td><td class=\"n\">" +
           std::to_string(e.points) + "</td><td class=\"n\">" + chronoLisible(e) + "</td><td class=\"v\">" +
           (e.verifie ? textePage("vérifié") : textePage("non vérifié")) + "</td><td class=\"d\">" + dateLisible(e.date) + "</td></tr>\n";
}

std::string jsonTexte(const std::string& texte) {
    std::string s = "\"";
    for (char c : texte) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (u < 0x20 || c == '<' || c == '>' || c == '&') {
            char echappe[8];
            std::snprintf(echappe, sizeof echappe, "\\u%04x", u);
            s += echappe;
        } else {
            s += c;
        }
    }
    return s + "\"";
}

std::string jsonEntree(int rang, const Entree& e) {
    return "{\"rang\":" + std::to_string(rang) + ",\"nom\":" + jsonTexte(e.nom) + ",\"points\":" +
           std::to_string(e.points) + ",\"verifie\":" + (e.verifie ? "true" : "false") +
           (e.verifie ? ",\"chrono\":" + std::to_string(e.chrono) : std::string()) + ",\"id\":" +
           std::to_string(e.id) + ",\"date\":\"" + dateIso(e.date) + "\"}";
}

std::string pageAccueil(const std::vector<Entree>& meilleurs, bool logo) {
    std::string corps = "<table><tr><th>" + textePage("Niveau") + "</th><th>" + textePage("Record") + "</th><th>" +
                        textePage("Joueur") + "</th></tr>\n";
    for (size_t i = 0; i < meilleurs.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const Entree& e = meilleurs[i];
        corps += "<tr><td><a href=\"/niveau/" + std::to_string(n) + "\">" + echapperHtml(titre(n)) + "</a></td>";
        corps += e.nom.empty() ? std::string("<td class=\"n\">\xe2\x80\x93</td><td></td></tr>\n")
                               : "<td class=\"n\">" + std::to_string(e.points) + "</td><td class=\"nom\">" + echapperHtml(e.nom) +
                                     "</td></tr>\n";
    }
    corps += "</table>\n<p><a href=\"/maps\">" + textePage("Les cartes des joueurs") + "</a></p>";
    return pageHtml(textePage("Meilleurs scores"), corps, logo);
}

std::string pageNiveau(const Tranche& t, const std::vector<Entree>& liste, const Entree& nouveau, int rang, bool logo) {
    std::string corps;
    if (nouveau.id)
        corps += "<p class=\"boite\">" +
                 (rang == 1 ? textePage("Score enregistré : <b>%1</b>, %2 points, %3<sup>re</sup> place.",
                                        echapperHtml(nouveau.nom), std::to_string(nouveau.points), "1")
                            : textePage("Score enregistré : <b>%1</b>, %2 points, %3<sup>e</sup> place.",
                                        echapperHtml(nouveau.nom), std::to_string(nouveau.points), std::to_string(rang))) +
                 "</p>\n";
    const std::string base = "/niveau/" + std::to_string(t.niveau);
    const auto lien = [&](int page, const std::string& texte) {
        return "<a href=\"" + base + (page > 1 ? "?page=" + std::to_string(page) : "") + "\">" + texte + "</a>";
    };
    std::string pages;
    if (t.page > 1) pages += lien(t.page - 1, textePage("\xe2\x86\x90 Précédents"));
    if (t.suite) pages += std::string(pages.empty() ? "" : " \xc2\xb7 ") + lien(t.page + 1, textePage("Suivants \xe2\x86\x92"));
    if (!pages.empty()) pages = "<p class=\"pages\">" + pages + "</p>\n";
    if (liste.empty())
        return pageHtml(titre(t.niveau), corps + "<p>" +
                                             (t.page > 1 ? textePage("Aucun score sur cette page.") : textePage("Aucun score pour l'instant.")) +
                                             "</p>" + pages, logo);
    corps += enteteClassement();
    for (size_t i = 0; i < liste.size(); ++i)
        corps += ligneClassement(t.premierRang + static_cast<int>(i), liste[i], liste[i].id == nouveau.id);
    corps += "</table>\n" + pages + "<p><a href=\"" + base + ".json" + (t.page > 1 ? "?page=" + std::to_string(t.page) : "") +
             "\">" + textePage("Ce classement en JSON") + "</a></p>";
    return pageHtml(titre(t.niveau), corps, logo);
}

std::string pageFormulaire(int niveau, int points, const std::string& jeton, bool logo) {
    const std::string corps = "<form class=\"boite\" method=\"post\" action=\"/nommer\"><p>" +
             textePage("Votre score : <b>%1 points</b>", std::to_string(points)) + "</p><input type=\"hidden\" name=\"jeton\" value=\"" + echapperHtml(jeton) +
             "\"><label for=\"nom\">" + textePage("Votre nom") +
             "</label><input type=\"text\" id=\"nom\" name=\"nom\" maxlength=\"" +
             std::to_string(kLongueurNomMax) + "\" required autofocus autocomplete=\"nickname\">"
             "<button type=\"submit\">" + textePage("Enregistrer") + "</button></form>\n<p>" +
             textePage("Ce score attend un nom pendant 24 heures.") + "</p>";
    return pageHtml(titre(niveau), corps, logo);
}

std::string pageErreur(const std::string& titre, const std::string& message, bool logo) {
    return pageHtml(titre, "<p class=\"erreur\">" + echapperHtml(message) + "</p>", logo);
}

std::string jsonNiveau(const Tranche& t, const std::vector<Entree>& liste) {
    std::string s = "{\"niveau\":" + std::to_string(t.niveau) + ",\"titre\":" + jsonTexte(titre(t.niveau)) +
                    ",\"page\":" + std::to_string(t.page) + ",\"suite\":" + (t.suite ? "true" : "false") + ",\"scores\":[";
    for (size_t i = 0; i < liste.size(); ++i)
        s += std::string(i ? "," : "") + jsonEntree(t.premierRang + static_cast<int>(i), liste[i]);
    return s + "]}\n";
}
