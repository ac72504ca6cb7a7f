// SPDX-License-Identifier: GPL-3.0-or-later
#include "textes_pages.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct EnCours {
    std::string langue = "fr";
    const CatalogueMo* catalogue = nullptr;
};
thread_local EnCours enCours;

const uintmax_t kTailleMax = 16u << 20;  // the game's catalogues are a few tens of kilobytes

std::string minuscules(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string sansBlancs(const std::string& s) {
    const size_t d = s.find_first_not_of(" \t");
    return d == std::string::npos ? "" : s.substr(d, s.find_last_not_of(" \t") - d + 1);
}

std::string langueSeule(const std::string& tag) { return minuscules(tag.substr(0, tag.find('-'))); }

bool lireFichier(const std::filesystem::path& chemin, std::string& octets, std::string& faute) {
    std::error_code e;
    if (std::filesystem::file_size(chemin, e) > kTailleMax && !e)
        return faute = "larger than " + std::to_string(kTailleMax >> 20) + " MB", false;
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    octets = s.str();
    if (!f) faute = "cannot be read";
    return static_cast<bool>(f);
}

}  // namespace

void TextesPages::charger(const std::string& dossier, const std::vector<std::string>& domaines) {
    namespace fs = std::filesystem;
    std::error_code e;
    for (fs::directory_iterator i(dossier, e), fin; !e && i != fin; i.increment(e)) {
        const std::string nom = i->path().filename().string();
        if (nom.find_first_of("@.") != std::string::npos) continue;  // "sr@latin", not a language of the pages
        for (const std::string& domaine : domaines) {
            const fs::path chemin = i->path() / "LC_MESSAGES" / (domaine + ".mo");
            std::string octets, faute;
            std::error_code absent;
            if (!fs::is_regular_file(chemin, absent)) continue;
            CatalogueMo textes;
            if (!lireFichier(chemin, octets, faute) || !lireMo(octets, textes, faute)) {
                std::fprintf(stderr, "vorna-scores: %s: %s; the pages stay in French for this language\n",
                             chemin.c_str(), faute.c_str());
                break;
            }
            std::string tag = nom;
            if (tag.find('_') != std::string::npos) tag[tag.find('_')] = '-';
            m_catalogues[tag] = std::move(textes);
            break;
        }
    }
}

std::vector<std::string> TextesPages::langues() const {
    std::vector<std::string> l;
    for (const auto& [tag, textes] : m_catalogues) l.push_back(tag);
    return l;
}

const CatalogueMo* TextesPages::catalogue(const std::string& langue) const {
    const auto c = m_catalogues.find(langue);
    return c == m_catalogues.end() ? nullptr : &c->second;
}

std::string TextesPages::langueVisiteur(const std::string& acceptLanguage) const {
    // The tag of the pages for one of the visitor's, empty for none.
    const auto langueDuTag = [this](const std::string& tag) -> std::string {
        if (langueSeule(tag) == "fr") return "fr";
        for (const auto& [l, textes] : m_catalogues)
            if (minuscules(l) == minuscules(tag)) return l;
        for (const auto& [l, textes] : m_catalogues)
            if (langueSeule(l) == langueSeule(tag)) return l;
        return "";
    };
    std::string meilleure = "fr";
    double poidsMax = 0;
    size_t debut = 0;
    while (debut <= acceptLanguage.size()) {
        size_t fin = acceptLanguage.find(',', debut);
        if (fin == std::string::npos) fin = acceptLanguage.size();
        const std::string partie = acceptLanguage.substr(debut, fin - debut);
        debut = fin + 1;
        const size_t pv = partie.find(';');
        double poids = 1;
        if (pv != std::string::npos) {
            const std::string q = sansBlancs(partie.substr(pv + 1));
            poids = q.rfind("q=", 0) == 0 ? std::strtod(q.c_str() + 2, nullptr) : 0;
        }
        const std::string tag = sansBlancs(partie.substr(0, pv));
        if (poids <= poidsMax || tag.empty()) continue;
        const std::string l = langueDuTag(tag);
        if (!l.empty()) meilleure = l, poidsMax = poids;
    }
    return meilleure;
}

const std::string& languePages() { return enCours.langue; }

LanguePages::LanguePages(const TextesPages& textes, const std::string& langue)
    : m_langue(enCours.langue), m_catalogue(enCours.catalogue) {
    enCours = {langue, textes.catalogue(langue)};
}

LanguePages::~LanguePages() { enCours = {m_langue, m_catalogue}; }

std::string textePage(const std::string& texte, const std::string& a, const std::string& b, const std::string& c) {
    const std::string* t = &texte;
    if (enCours.catalogue) {
        const auto traduction = enCours.catalogue->find(texte);
        if (traduction != enCours.catalogue->end()) t = &traduction->second;
    }
    // In one pass, so a value holding "%2" stays as it is.
    const std::string* valeurs[] = {&a, &b, &c};
    std::string r;
    for (size_t i = 0; i < t->size(); ++i) {
        const char suivant = i + 1 < t->size() ? (*t)[i + 1] : '\0';
        if ((*t)[i] == '%' && suivant >= '1' && suivant <= '3')
            r += *valeurs[suivant - '1'], ++i;
        else
            r += (*t)[i];
    }
    return r;
}
