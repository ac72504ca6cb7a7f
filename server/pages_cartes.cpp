// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages_cartes.h"

#include "html.h"
#include "pages.h"
#include "textes_pages.h"

namespace {

std::string adresseCarte(const Carte& c) { return "/maps/" + std::to_string(c.id); }

std::string imageApercu(const Carte& c, int largeur) {
    if (!c.aApercu) return "<span class=\"sans\">" + textePage("Pas d'aperçu") + "</span>";
    return "<img class=\"apercu\" src=\"" + adresseCarte(c) + "/apercu.png\" alt=\"" + echapperHtml(c.titre) +
           "\" width=\"" + std::to_string(largeur) + "\">";
}

std::string recordLisible(const Entree& e) {
    if (e.nom.empty() || !e.verifie) return "\xe2\x80\x93";
    return std::to_string(e.points) + " \xc2\xb7 " + chronoLisible(e) + " \xc2\xb7 " + echapperHtml(e.nom);
}

// The fields of a map every JSON of it holds, without the braces.
std::string champsJson(const Carte& c) {
    return "\"id\":" + std::to_string(c.id) + ",\"empreinte\":" + jsonTexte(c.empreinte) + ",\"titre\":" +
           jsonTexte(c.titre) + ",\"auteur\":" + jsonTexte(c.auteur) + ",\"date\":\"" + dateIso(c.date) +
           "\",\"parties\":" + std::to_string(c.parties) + ",\"apercu\":" +
           (c.aApercu ? jsonTexte(adresseCarte(c) + "/apercu.png") : std::string("null")) +
           ",\"telechargement\":" + jsonTexte(adresseCarte(c) + "/carte.txt");
}

std::string lienPage(const PageCartes& p, int page, const std::string& texte) {
    std::string q = p.parParties ? "tri=joues" : "";
    if (page > 1) q += std::string(q.empty() ? "" : "&amp;") + "page=" + std::to_string(page);
    return "<a href=\"/maps" + (q.empty() ? "" : "?" + q) + "\">" + texte + "</a>";
}

}  // namespace

std::string pageCartes(const PageCartes& p, bool logo) {
    std::string corps = "<p class=\"pages\">" +
                        (p.parParties ? "<a href=\"/maps\">" + textePage("Les plus récentes") + "</a> \xc2\xb7 <b>" +
                                            textePage("Les plus jouées") + "</b>"
                                      : "<b>" + textePage("Les plus récentes") + "</b> \xc2\xb7 <a href=\"/maps?tri=joues\">" +
                                            textePage("Les plus jouées") + "</a>") +
                        "</p>\n";
    if (p.cartes.empty()) {
        corps += "<p>" + (p.page > 1 ? textePage("Aucune carte sur cette page.") : textePage("Aucune carte pour l'instant.")) + "</p>";
    } else {
        corps += "<table><tr><th></th><th>" + textePage("Carte") + "</th><th>" + textePage("Record") + "</th><th>" +
                 textePage("Parties") + "</th></tr>\n";
        for (const CarteListee& l : p.cartes)
            corps += "<tr><td>" + imageApercu(l.carte, 96) + "</td><td class=\"nom\"><a href=\"" +
                     adresseCarte(l.carte) + "\">" + echapperHtml(l.carte.titre) + "</a><br>" +
                     textePage("par %1", echapperHtml(l.carte.auteur)) + "</td><td>" + recordLisible(l.record) +
                     "</td><td class=\"n\">" + std::to_string(l.carte.parties) + "</td></tr>\n";
        corps += "</table>\n";
    }
    std::string pages;
    if (p.page > 1) pages += lienPage(p, p.page - 1, textePage("\xe2\x86\x90 Précédents"));
    if (p.page < p.pages)
        pages += std::string(pages.empty() ? "" : " \xc2\xb7 ") + lienPage(p, p.page + 1, textePage("Suivants \xe2\x86\x92"));
    if (!pages.empty()) corps += "<p class=\"pages\">" + pages + "</p>\n";
    corps += "<p><a href=\"/maps.json" + std::string(p.parParties ? "?tri=joues" : "") + "\">" +
             textePage("Cette liste en JSON") + "</a></p>";
    return pageHtml(textePage("Les cartes des joueurs"), corps, logo);
}

std::string jsonCartes(const PageCartes& p) {
    std::string s = std::string("{\"tri\":\"") + (p.parParties ? "joues" : "recent") + "\",\"page\":" +
                    std::to_string(p.page) + ",\"pages\":" + std::to_string(p.pages) + ",\"total\":" +
                    std::to_string(p.total) + ",\"cartes\":[";
    for (size_t i = 0; i < p.cartes.size(); ++i) {
        const Entree& r = p.cartes[i].record;
        s += std::string(i ? "," : "") + "{" + champsJson(p.cartes[i].carte) + ",\"record\":" +
             (r.nom.empty() || !r.verifie ? std::string("null") : jsonEntree(1, r)) + "}";
    }
    return s + "]}\n";
}

std::string texteCartes(const PageCartes& p) {
    std::string s = "maps " + std::to_string(p.total) + " page " + std::to_string(p.page) + " pages " +
                    std::to_string(p.pages) + "\n";
    for (const CarteListee& l : p.cartes) {
        const Entree& r = l.record;
        const bool record = !r.nom.empty() && r.verifie;
        s += std::to_string(l.carte.id) + "\t" + l.carte.empreinte + "\t" + (record ? std::to_string(r.points) : "-") +
             "\t" + (record ? std::to_string(r.chrono) : "-") + "\t" + (record ? r.nom : "-") + "\t" +
             std::to_string(l.carte.parties) + "\t" + l.carte.auteur + "\t" + l.carte.titre + "\n";
    }
    return s;
}

std::string pageCarte(const Carte& c, const std::vector<Entree>& classement, bool logo) {
    std::string corps = "<p>" + imageApercu(c, 512) + "</p>\n<p>" +
                        textePage("Par <b>%1</b>, le %2.", echapperHtml(c.auteur), dateLisible(c.date)) + " " +
                        textePage("Téléchargée %1 fois.", std::to_string(c.parties)) + "</p>\n<p><a href=\"" +
                        adresseCarte(c) + "/carte.txt\" download>" + textePage("Télécharger la carte") + "</a></p>\n";
    if (classement.empty()) {
        corps += "<p>" + textePage("Aucun score pour l'instant.") + "</p>";
    } else {
        corps += enteteClassement();
        for (size_t i = 0; i < classement.size(); ++i)
            corps += ligneClassement(static_cast<int>(i) + 1, classement[i], false);
        corps += "</table>\n";
    }
    corps += "<p><a href=\"" + adresseCarte(c) + ".json\">" + textePage("Cette carte en JSON") + "</a> \xc2\xb7 " +
             "<a href=\"/maps\">" + textePage("Les cartes des joueurs") + "</a></p>";
    return pageHtml(c.titre, corps, logo);
}

std::string jsonCarte(const Carte& c, const std::vector<Entree>& classement) {
    std::string s = "{" + champsJson(c) + ",\"scores\":[";
    for (size_t i = 0; i < classement.size(); ++i)
        s += std::string(i ? "," : "") + jsonEntree(static_cast<int>(i) + 1, classement[i]);
    return s + "]}\n";
}
