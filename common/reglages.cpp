// SPDX-License-Identifier: GPL-3.0-or-later
#include "reglages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "fichiers.h"
#include "langue.h"
#include "lecture.h"

const char* const kFichierReglages = "data/joueur/reglages.txt";

namespace {

// A settings file is a few hundred bytes; anything beyond this is no
// settings file of ours, and is neither read nor written over.
const size_t kTailleMax = 64 * 1024;
const int kTailleFenetreMax = 16384;
const size_t kTexteMax = 200;
// Skipped lines named on standard error; the others are only counted.
const size_t kRejetsMontres = 10;

// A name of the file and the field it sets: a number within bounds, a yes/no
// written 1 or 0, a text of printable characters, or one of the words of
// `mots` (a text always written).
struct Cle {
    const char* nom;
    int Reglages::*nombre = nullptr;
    bool Reglages::*ouiNon = nullptr;
    std::string Reglages::*texte = nullptr;
    int min = 0, max = 0;
    std::vector<std::string> mots = {};
    bool sautDefaut = false;  // a number or yes/no not written when it holds its default
};
Cle nombre(const char* nom, int Reglages::*champ, int min, int max) {
    Cle c{nom};
    c.nombre = champ;
    c.min = min;
    c.max = max;
    return c;
}
// A key of the run: a scancode, written only when the player changed it.
Cle touche(const char* nom, int Reglages::*champ) {
    Cle c = nombre(nom, champ, 1, 511);
    c.sautDefaut = true;
    return c;
}
Cle ouiNon(const char* nom, bool Reglages::*champ) {
    Cle c{nom};
    c.ouiNon = champ;
    return c;
}
// A yes/no written only when it differs from its default.
Cle ouiNonSiChange(const char* nom, bool Reglages::*champ) {
    Cle c = ouiNon(nom, champ);
    c.sautDefaut = true;
    return c;
}
Cle texte(const char* nom, std::string Reglages::*champ) {
    Cle c{nom};
    c.texte = champ;
    return c;
}
Cle mot(const char* nom, std::string Reglages::*champ, std::vector<std::string> mots) {
    Cle c = texte(nom, champ);
    c.mots = std::move(mots);
    return c;
}

// "auto" or the code of a language proposed.
std::vector<std::string> choixDeLangue() {
    std::vector<std::string> r = {"auto"};
    for (const LangueProposee& l : languesProposees()) r.push_back(l.code);
    return r;
}

// Every setting, in the order they are written.
const Cle kCles[] = {
    nombre("volume_musique", &Reglages::volumeMusique, 0, 10),
    nombre("volume_effets", &Reglages::volumeEffets, 0, 10),
    ouiNon("fantome_course", &Reglages::fantomeCourse),
    ouiNon("sauver_fantome", &Reglages::sauverFantome),
    ouiNon("plein_ecran", &Reglages::pleinEcranJeu),
    nombre("fenetre_largeur", &Reglages::largeurJeu, kLargeurFenetreMin, kTailleFenetreMax),
    nombre("fenetre_hauteur", &Reglages::hauteurJeu, kHauteurFenetreMin, kTailleFenetreMax),
    ouiNon("editeur_plein_ecran", &Reglages::pleinEcranEditeur),
    nombre("editeur_fenetre_largeur", &Reglages::largeurEditeur, kLargeurFenetreMin, kTailleFenetreMax),
    nombre("editeur_fenetre_hauteur", &Reglages::hauteurEditeur, kHauteurFenetreMin, kTailleFenetreMax),
    texte("serveur_scores", &Reglages::serveurScores),
    mot("langue", &Reglages::langue, choixDeLangue()),
    ouiNon("synchro_verticale", &Reglages::synchroVerticale),
    nombre("images_max", &Reglages::imagesMax, 0, 1000),
    touche("touche_haut", &Reglages::toucheHaut),
    touche("touche_bas", &Reglages::toucheBas),
    touche("touche_droite", &Reglages::toucheDroite),
    touche("touche_gauche", &Reglages::toucheGauche),
    touche("touche_entree", &Reglages::toucheEntree),
    touche("touche_echap", &Reglages::toucheEchap),
    touche("touche_course", &Reglages::toucheCourse),
    touche("touche_rejeu_pause", &Reglages::toucheRejeuPause),
    touche("touche_rejeu_plus", &Reglages::toucheRejeuPlus),
    touche("touche_rejeu_moins", &Reglages::toucheRejeuMoins),
    ouiNonSiChange("contour_texte", &Reglages::contourTexte),
    ouiNonSiChange("fantome_course_mondial", &Reglages::courseMondiale),
    texte("auteur_cartes", &Reglages::auteurCartes),
    texte("titre_carte", &Reglages::titreCarte),
};

// Sets the field of `c` from `valeur`; false, leaving it, when the value is
// no value of that setting.
bool poser(const Cle& c, const std::string& valeur, Reglages& r) {
    if (!c.mots.empty() && std::find(c.mots.begin(), c.mots.end(), valeur) == c.mots.end()) return false;
    if (c.texte) {
        if (valeur.size() > kTexteMax) return false;
        for (unsigned char o : valeur)
            if (o < 0x20 || o == 0x7F) return false;
        r.*c.texte = valeur;
        return true;
    }
    int v = 0;
    const char* fin = valeur.data() + valeur.size();
    const auto lu = std::from_chars(valeur.data(), fin, v);
    if (valeur.empty() || lu.ec != std::errc() || lu.ptr != fin) return false;
    if (c.ouiNon) {
        if (v != 0 && v != 1) return false;
        r.*c.ouiNon = v == 1;
        return true;
    }
    if (v < c.min || v > c.max) return false;
    r.*c.nombre = v;
    return true;
}

// A name as it can be shown on one line of standard error.
std::string montrer(const std::string& s) {
    std::string r = s.substr(0, 40);
    for (char& o : r)
        if (static_cast<unsigned char>(o) < 0x20 || o == 0x7F) o = '?';
    return r;
}

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

Reglages lireTexteReglages(const std::string& texte, std::vector<std::string>* rejets) {
    Reglages r;
    size_t debut = 0;
    for (int numero = 1; debut < texte.size(); ++numero) {
        size_t fin = texte.find('\n', debut);
        if (fin == std::string::npos) fin = texte.size();
        std::string ligne = texte.substr(debut, fin - debut);
        debut = fin + 1;
        while (!ligne.empty() && blanc(ligne.back())) ligne.pop_back();
        if (ligne.empty()) continue;
        if (ligne[0] == '#') {  // a comment, kept as it is
            r.autres.push_back(ligne);
            continue;
        }
        const size_t espace = std::min(ligne.find(' '), ligne.find('\t'));
        const std::string nom = ligne.substr(0, espace);
        const size_t valeur = espace == std::string::npos ? ligne.size() : ligne.find_first_not_of(" \t", espace);
        const Cle* cle = nullptr;
        for (const Cle& c : kCles)
            if (nom == c.nom) cle = &c;
        if (cle && poser(*cle, ligne.substr(valeur), r)) continue;
        r.autres.push_back(ligne);
        if (rejets)
            rejets->push_back("line " + std::to_string(numero) + ": " +
                              (cle ? "bad value for " : "unknown setting ") + "\"" + montrer(nom) + "\"");
    }
    return r;
}

std::string texteReglages(const Reglages& r) {
    std::string t;
    for (const Cle& c : kCles) {
        if (c.texte && (r.*c.texte).empty()) continue;  // an empty text is the default
        if (!c.mots.empty() && std::find(c.mots.begin(), c.mots.end(), r.*c.texte) == c.mots.end()) continue;
        if (c.sautDefaut && (c.ouiNon ? r.*c.ouiNon == Reglages().*c.ouiNon : r.*c.nombre == Reglages().*c.nombre))
            continue;
        t += c.nom;
        t += ' ';
        if (c.texte)
            t += r.*c.texte;
        else if (c.ouiNon)
            t += r.*c.ouiNon ? '1' : '0';
        else
            t += std::to_string(std::clamp(r.*c.nombre, c.min, c.max));
        t += '\n';
    }
    for (const std::string& l : r.autres) t += l + '\n';
    return t;
}

Reglages lireReglages(const std::string& chemin, bool* lisible, bool bavard) {
    if (lisible) *lisible = true;
    FichierLu f = ouvrirLecture(chemin);
    std::string texte;
    int erreur = f ? 0 : errno;
    if (f) {
        texte.resize(kTailleMax + 1);
        texte.resize(std::fread(texte.data(), 1, texte.size(), f.get()));
        if (std::ferror(f.get())) erreur = EIO;
        if (texte.size() > kTailleMax) erreur = EFBIG;
    }
    if (erreur == ENOENT) return Reglages();  // the first start: today's defaults
    if (erreur) {
        if (lisible) *lisible = false;
        if (bavard)
            std::fprintf(stderr, "%s: the settings file %s %s; the default settings are used\n",
                         program_invocation_short_name, chemin.c_str(),
                         erreur == EFBIG ? "is larger than 64 KiB" : raisonLecture(erreur).c_str());
        return Reglages();
    }
    std::vector<std::string> rejets;
    Reglages r = lireTexteReglages(texte, bavard ? &rejets : nullptr);
    for (size_t i = 0; i < rejets.size() && i < kRejetsMontres; ++i)
        std::fprintf(stderr, "%s: %s %s, skipped (kept in the file)\n", program_invocation_short_name,
                     chemin.c_str(), rejets[i].c_str());
    if (rejets.size() > kRejetsMontres)
        std::fprintf(stderr, "%s: %s: %zu more lines skipped\n", program_invocation_short_name, chemin.c_str(),
                     rejets.size() - kRejetsMontres);
    return r;
}

bool modifierReglages(const std::function<void(Reglages&)>& changer, const std::string& chemin, bool* enAttente) {
    const std::string::size_type barre = chemin.rfind('/');
    if (barre != std::string::npos && barre > 0) mkdir(chemin.substr(0, barre).c_str(), 0777);  // no data/joueur/ yet
    // The file as it is now, read again, with the change: what another
    // program changed meanwhile stays.
    const auto fusion = [changer, chemin](const std::string* texte, bool& tropGrand) -> std::optional<std::string> {
        tropGrand = texte && texte->size() > kTailleMax;
        if (tropGrand) {
            std::fprintf(stderr, "%s: the settings are not saved: %s cannot be read as settings\n",
                         program_invocation_short_name, chemin.c_str());
            return std::nullopt;
        }
        Reglages r = texte ? lireTexteReglages(*texte) : Reglages();
        changer(r);
        return texteReglages(r);
    };
    bool tropGrand = false;
    const Maj maj = mettreAJourFichier(
        chemin, "settings file", [&](const std::string* texte) { return fusion(texte, tropGrand); }, nullptr,
        enAttente ? Fusion([fusion](const std::string* texte) {
            bool ignore = false;
            return fusion(texte, ignore);
        })
                  : Fusion());
    if (enAttente) *enAttente = maj == Maj::Attente;
    return (maj == Maj::Ecrit || maj == Maj::Attente) && !tropGrand;
}
