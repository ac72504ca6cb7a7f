// SPDX-License-Identifier: GPL-3.0-or-later
// Level files: any bytes read without a crash, in time and memory bounded by
// their size; every record read holds finite numbers; every reader's rules
// build their objects from them; and what the writer writes reads back the
// same records (written, read back and written again, a level gives the
// same bytes).
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "memoire.h"
#include "niveau.h"
#include "texture.h"

namespace {

// The game's readers load a level by its path: the input goes to a file in
// a scratch folder, removed when the fuzzer ends.
struct Brouillon {
    std::string dossier, fichier;
    Brouillon() {
        char modele[] = "/tmp/vorna-fuzz-XXXXXX";
        exiger(mkdtemp(modele) != nullptr, "a scratch folder");
        dossier = modele;
        fichier = dossier + "/niveau.txt";
    }
    ~Brouillon() {
        std::remove(fichier.c_str());
        rmdir(dossier.c_str());
    }
};

const std::string& fichierNiveau() {
    static const Brouillon brouillon;
    return brouillon.fichier;
}

std::vector<Enregistrement> lire(FichierLu f) {
    std::vector<Enregistrement> r;
    const int n = lireEnregistrements(f.get(), [&](const Enregistrement& e, int rang) {
        exiger(rang == static_cast<int>(r.size()), "records come in order");
        for (float v : {e.x, e.y, e.z, e.vie, e.lx, e.ly, e.lz, e.rx, e.ry, e.rz})
            exiger(std::isfinite(v), "a record read holds finite numbers only");
        r.push_back(e);
    });
    exiger(n == static_cast<int>(r.size()), "the count is the number of records");
    return r;
}

std::string ecrire(const std::vector<Enregistrement>& r) {
    return ecrit([&](std::FILE* f) {
        for (const Enregistrement& e : r) ecrireEnregistrement(f, e);
    });
}

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::vector<Enregistrement> lus = lire(fichierDe(donnees, taille));
    exiger(lus.size() <= taille, "every record takes at least one byte");

    // The session's, the menu's and the replay's rules.
    std::FILE* f = std::fopen(fichierNiveau().c_str(), "w");
    exiger(f && std::fwrite(donnees, 1, taille, f) == taille && std::fclose(f) == 0, "the level is written");
    Texture t;
    ReglesNiveau replay = reglesPartie(t);
    replay.typeMax = 7;
    for (const ReglesNiveau& regles : {reglesPartie(t), reglesMenu(t), replay}) {
        ContenuNiveau c;
        const bool ok = chargerNiveau(fichierNiveau(), regles, c);
        exiger(ok == c.aBalle, "a level that loads has its ball");
        exiger(c.cubes.size() + c.bonus.size() + c.spheres.size() + (ok ? 1 : 0) <= lus.size(),
               "one object at most per record");
    }

    const std::string ecrit1 = ecrire(lus);
    const std::vector<Enregistrement> relus = lire(fichierDe(ecrit1));
    exiger(relus.size() == lus.size(), "as many records read back as written");
    for (size_t i = 0; i < lus.size(); ++i) {
        exiger(relus[i].type == lus[i].type, "the kind reads back");
        exiger(relus[i].champsLus == 12, "every field of a written record scans");
        const std::string& mot = relus[i].texture;
        exiger(!mot.empty() && mot.size() <= static_cast<size_t>(kLongueurMotTexture),
               "a written texture word reads back whole");
        for (char c : mot) exiger(!blanc(c), "a written texture word has no blank");
        exiger(mot == (lus[i].texture.empty() ? "textureVide" : lus[i].texture),
               "the texture word reads back as written");
    }
    exiger(ecrire(relus) == ecrit1, "written again, the level gives the same bytes");
    return 0;
}
