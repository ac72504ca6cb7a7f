// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages.h"

#include <cstdio>
#include <ctime>

#include "html.h"
#include "nom_joueur.h"
#include "scenarios.h"

namespace {

std::string titre(int niveau) { return niveauScenario(static_cast<unsigned>(niveau))->titre; }

std::string ligne(int rang, const Entree& e, bool nouveau) {
    return std::string(nouveau ? "<tr class=\"nouveau\" id=\"nouveau\">" : "<tr>") + "<td class=\"n\">" +
           std::to_string(rang) + "</td><td class=\"nom\">" + echapperHtml(e.nom) + "</td><td class=\"n\">" +
           std::to_string(e.points) + "</td><td class=\"d\">" + dateLisible(e.date) + "</td></tr>\n";
}

std::string json(const std::string& texte) {
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

}  // namespace

std::string pageAccueil(const std::vector<Entree>& meilleurs) {
    std::string corps = "<table><tr><th>Niveau</th><th>Record</th><th>Joueur</th></tr>\n";
    for (size_t i = 0; i < meilleurs.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const Entree& e = meilleurs[i];
        corps += "<tr><td><a href=\"/niveau/" + std::to_string(n) + "\">" + echapperHtml(titre(n)) + "</a></td>";
        corps += e.nom.empty() ? std::string("<td class=\"n\">\xe2\x80\x93</td><td></td></tr>\n")
                               : "<td class=\"n\">" + std::to_string(e.points) + "</td><td class=\"nom\">" + echapperHtml(e.nom) +
                                     "</td></tr>\n";
    }
    return pageHtml("Meilleurs scores", corps + "</table>");
}

std::string pageNiveau(int niveau, const std::vector<Entree>& liste, const Entree& nouveau, int rang) {
    std::string corps;
    if (nouveau.id)
        corps += "<p class=\"boite\">Score enregistré : <b>" + echapperHtml(nouveau.nom) + "</b>, " +
                 std::to_string(nouveau.points) + " points, " + std::to_string(rang) +
                 (rang == 1 ? "<sup>re</sup>" : "<sup>e</sup>") + " place.</p>\n";
    if (liste.empty()) return pageHtml(titre(niveau), corps + "<p>Aucun score pour l'instant.</p>");
    corps += "<table><tr><th>Rang</th><th>Nom</th><th>Points</th><th>Date</th></tr>\n";
    for (size_t i = 0; i < liste.size(); ++i) corps += ligne(static_cast<int>(i) + 1, liste[i], liste[i].id == nouveau.id);
    corps += "</table>\n<p><a href=\"/niveau/" + std::to_string(niveau) + ".json\">Ce classement en JSON</a></p>";
    return pageHtml(titre(niveau), corps);
}

std::string pageFormulaire(int niveau, int points, const std::string& jeton) {
    const std::string corps = "<form class=\"boite\" method=\"post\" action=\"/nommer\"><p>Votre score : <b>" + std::to_string(points) +
             " points</b></p><input type=\"hidden\" name=\"jeton\" value=\"" + echapperHtml(jeton) +
             "\"><label for=\"nom\">Votre nom</label><input type=\"text\" id=\"nom\" name=\"nom\" maxlength=\"" +
             std::to_string(kLongueurNomMax) + "\" required autofocus autocomplete=\"nickname\">"
             "<button type=\"submit\">Enregistrer</button></form>\n"
             "<p>Ce score attend un nom pendant 24 heures.</p>";
    return pageHtml(titre(niveau), corps);
}

std::string pageErreur(const std::string& titre, const std::string& message) {
    return pageHtml(titre, "<p class=\"erreur\">" + echapperHtml(message) + "</p>");
}

std::string jsonNiveau(int niveau, const std::vector<Entree>& liste) {
    std::string s = "{\"niveau\":" + std::to_string(niveau) + ",\"titre\":" + json(titre(niveau)) + ",\"scores\":[";
    for (size_t i = 0; i < liste.size(); ++i) {
        const std::time_t t = static_cast<std::time_t>(liste[i].date);
        std::tm tm{};
        char date[32] = "";
        if (gmtime_r(&t, &tm)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &tm);
        s += std::string(i ? "," : "") + "{\"rang\":" + std::to_string(i + 1) + ",\"nom\":" + json(liste[i].nom) +
             ",\"points\":" + std::to_string(liste[i].points) + ",\"date\":\"" + date + "\"}";
    }
    return s + "]}\n";
}
