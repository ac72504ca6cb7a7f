// SPDX-License-Identifier: GPL-3.0-or-later
#include "records.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "lecture.h"
#include "traduction.h"

const char* const kFichierRecords = "data/joueur/records.txt";
const char* const kRecordsIllisibles = aTraduire("Records illisibles : laisses intacts");

bool meilleurQue(const Record& a, const Record& b) {
    return a.points > b.points || (a.points == b.points && a.temps < b.temps);
}

const Record* Records::trouver(const Parcours& p) const {
    if (p.scenario) {
        auto i = niveaux.find(p.niveau);
        return i == niveaux.end() ? nullptr : &i->second;
    }
    auto i = maps.find(p.map);
    return i == maps.end() ? nullptr : &i->second;
}

bool Records::fusionner(const Records& autre) {
    bool change = false;
    for (const auto& n : autre.niveaux) change |= proposer({true, n.first, "", ""}, n.second);
    for (const auto& m : autre.maps) change |= proposer({false, 0, m.first, ""}, m.second);
    return change;
}

bool Records::proposer(const Parcours& p, const Record& r) {
    const Record* ancien = trouver(p);
    if (ancien && !meilleurQue(r, *ancien)) return false;
    if (p.scenario)
        niveaux[p.niveau] = r;
    else
        maps[p.map] = r;
    return true;
}

namespace {

const char kHex[] = "0123456789ABCDEF";

std::string echapper(const std::string& nom) {
    std::string r;
    for (unsigned char c : nom) {
        if (c < 0x20 || c == 0x7F || c == '%') {
            r += '%';
            r += kHex[c >> 4];
            r += kHex[c & 15];
        } else {
            r += static_cast<char>(c);
        }
    }
    return r;
}

int valeurHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The reading of one line, left to right; any failure makes the line a
// damaged one.
struct Curseur {
    const std::string& l;
    std::string::size_type i = 0;

    bool mot(const char* attendu) {
        const std::string m(attendu);
        if (l.compare(i, m.size(), m) != 0) return false;
        i += m.size();
        return true;
    }
    // Decimal digits, a '-' first when `signe`, within [min, max].
    bool nombre(long long& n, bool signe, long long max) {
        bool negatif = false;
        if (signe && i < l.size() && l[i] == '-') {
            negatif = true;
            ++i;
        }
        const std::string::size_type debut = i;
        n = 0;
        while (i < l.size() && l[i] >= '0' && l[i] <= '9') {
            n = n * 10 + (l[i] - '0');
            if (n > max + 1) return false;
            ++i;
        }
        if (i == debut) return false;
        if (negatif) n = -n;
        return n <= max && n >= (negatif ? -max - 1 : 0);
    }
    bool espace() { return i < l.size() && l[i++] == ' '; }
    bool record(Record& r) {
        long long p, t;
        if (!nombre(p, true, INT_MAX) || !espace() || !nombre(t, false, INT_MAX)) return false;
        r.points = static_cast<int>(p);
        r.temps = static_cast<int>(t);
        return true;
    }
    bool nom(std::string& n) {
        n.clear();
        while (i < l.size()) {
            const unsigned char c = static_cast<unsigned char>(l[i++]);
            if (c < 0x20 || c == 0x7F) return false;
            if (c != '%') {
                n += static_cast<char>(c);
                continue;
            }
            if (i + 2 > l.size()) return false;
            const int h = valeurHex(l[i]), b = valeurHex(l[i + 1]);
            if (h < 0 || b < 0) return false;
            n += static_cast<char>(h * 16 + b);
            i += 2;
        }
        return !n.empty() && n.size() <= kNomRecordMax;
    }
};

// One line into `r`; false when it is no record.
bool lireLigne(const std::string& ligne, Records& r) {
    Curseur c{ligne};
    Record record;
    Parcours p;
    if (c.mot("niveau ")) {
        long long n;
        if (!c.nombre(n, false, UINT_MAX) || !c.espace() || !c.record(record) || c.i != ligne.size())
            return false;
        p.niveau = static_cast<unsigned int>(n);
    } else if (c.mot("map ")) {
        p.scenario = false;
        if (!c.record(record) || !c.espace() || !c.nom(p.map)) return false;
    } else {
        return false;
    }
    r.proposer(p, record);
    return true;
}

}  // namespace

std::string texteRecords(const Records& r) {
    std::string t;
    for (const auto& n : r.niveaux)
        t += "niveau " + std::to_string(n.first) + " " + std::to_string(n.second.points) + " " +
             std::to_string(n.second.temps) + "\n";
    for (const auto& m : r.maps)
        t += "map " + std::to_string(m.second.points) + " " + std::to_string(m.second.temps) + " " +
             echapper(m.first) + "\n";
    return t;
}

Records lireRecords(std::FILE* f, int& abimees) {
    Records r;
    abimees = 0;
    if (!f) return r;
    std::string ligne;
    bool tropLongue = false;
    for (int c = std::fgetc(f);; c = std::fgetc(f)) {
        if (c != EOF && c != '\n') {
            if (ligne.size() < kLigneRecordMax)
                ligne += static_cast<char>(c);
            else
                tropLongue = true;
            continue;
        }
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();  // written elsewhere with CR LF
        if (tropLongue || (!ligne.empty() && !lireLigne(ligne, r))) ++abimees;
        ligne.clear();
        tropLongue = false;
        if (c == EOF) break;
    }
    return r;
}

Records recordsDuTexte(const std::string& texte, int& abimees) {
    FichierLu f(texte.empty() ? nullptr : fmemopen(const_cast<char*>(texte.data()), texte.size(), "r"));
    return lireRecords(f.get(), abimees);
}

namespace {

// The records each program made, by the absolute path of their file.
Records& recordsDuProgramme(const std::string& chemin) {
    static std::map<std::string, Records> memoire;
    std::error_code ec;
    return memoire[std::filesystem::absolute(chemin, ec).lexically_normal().string()];
}

Records depuisTexte(const std::string& texte, const std::string& chemin) {
    int abimees = 0;
    Records r = recordsDuTexte(texte, abimees);
    if (abimees > 0)
        std::fprintf(stderr,
                     "%s: records file \"%s\": %d damaged line%s ignored; the file is written whole "
                     "again at the next record\n",
                     program_invocation_short_name, chemin.c_str(), abimees, abimees > 1 ? "s" : "");
    return r;
}

}  // namespace

Records recordsConnus(bool* premiereFois, const std::string& chemin) {
    const Lecture l = lireFichierGarde(chemin, "records file");
    if (premiereFois) *premiereFois = l.premiereFois;
    Records r = l.etat == Lecture::Lu ? depuisTexte(l.texte, chemin) : Records();
    r.fusionner(recordsDuProgramme(chemin));
    return r;
}

namespace {

// Reads the records file's text into `fichier`, and gives the text with
// `miens` added: nothing when they add none.
std::optional<std::string> ajouterRecords(const std::string* texte, const std::string& chemin, const Records& miens,
                                          Records& fichier) {
    fichier = texte ? depuisTexte(*texte, chemin) : Records();
    Records tous = fichier;
    tous.fusionner(miens);
    if (tous == fichier) return std::nullopt;
    return texteRecords(tous);
}

}  // namespace

ResultatRecord enregistrerRecord(const Parcours& p, const Record& r, const std::string& chemin) {
    ResultatRecord res;
    Records& programme = recordsDuProgramme(chemin);
    Records avecCeluiCi = programme;
    avecCeluiCi.proposer(p, r);
    Records connus;  // the file's and this program's, before this one
    Lecture l;
    res.ecriture = mettreAJourFichier(
        chemin, "records file",
        [&](const std::string* texte) { return ajouterRecords(texte, chemin, avecCeluiCi, connus); }, &l,
        // Another program holds the lock: the same, later, from copies.
        [chemin, avecCeluiCi](const std::string* texte) {
            Records fichier;
            return ajouterRecords(texte, chemin, avecCeluiCi, fichier);
        });
    if (res.ecriture == Maj::Illisible || res.ecriture == Maj::Attente) {
        // What this program knows, and the file as read without the lock.
        int abimees = 0;
        connus = l.etat == Lecture::Lu ? recordsDuTexte(l.texte, abimees) : Records();
    }
    connus.fusionner(programme);
    res.ancien = connus.trouver(p) != nullptr;
    res.meilleur = connus.proposer(p, r);
    res.premiereFois = l.premiereFois;
    programme = avecCeluiCi;
    return res;
}

std::string nomFantomeRecord(const Parcours& p) {
    if (!p.serie.empty()) return "ghost/" + nomDeFichierBorne("serie-", p.serie + "-" + std::to_string(p.niveau), "-record.qzg");
    if (p.scenario) return "ghost/map" + std::to_string(p.niveau) + "-record.qzg";
    if (p.map.find('/') != std::string::npos) return "";
    return "ghost/" + nomDeFichierBorne("perso-", p.map, "-record.qzg");
}
