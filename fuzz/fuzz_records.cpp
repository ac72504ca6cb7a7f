// SPDX-License-Identifier: GPL-3.0-or-later
// The records file: any bytes read without a crash, at most one record per
// line; every map name read is 1 to kNomRecordMax bytes; what the game
// writes reads back the same, without a damaged line, and written again
// gives the same bytes; any name up to that length is a map name that reads
// back; and two programs' records merged (each half of the input read as a
// file) keep every level's best, whichever is merged first.
#include <string>

#include "memoire.h"
#include "records.h"

namespace {

Records relire(const Records& r) {
    const std::string texte = texteRecords(r);
    int abimees = -1;
    const Records relu = lireRecords(fichierDe(texte).get(), abimees);
    exiger(abimees == 0, "what the game writes holds no damaged line");
    exiger(texteRecords(relu) == texte, "written again, the records give the same bytes");
    return relu;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    int abimees = -1;
    const Records lu = lireRecords(fichierDe(donnees, taille).get(), abimees);
    exiger(abimees >= 0 && lu.niveaux.size() + lu.maps.size() + abimees <= taille,
           "at most one record or damaged line per byte");
    for (const auto& m : lu.maps)
        exiger(!m.first.empty() && m.first.size() <= kNomRecordMax, "a map name is 1 to 255 bytes");
    exiger(relire(lu) == lu, "the records read back");

    const size_t moitie = taille / 2;
    const Records a = lireRecords(fichierDe(donnees, moitie).get(), abimees);
    const Records b = lireRecords(fichierDe(donnees + moitie, taille - moitie).get(), abimees);
    Records ab = a, ba = b;
    ab.fusionner(b);
    ba.fusionner(a);
    exiger(ab == ba, "the merge does not depend on its order");
    exiger(!ab.fusionner(a) && !ab.fusionner(b), "merging again changes nothing");
    exiger(ab.niveaux.size() + ab.maps.size() <= a.niveaux.size() + a.maps.size() + b.niveaux.size() + b.maps.size(),
           "nothing but their records");
    for (const Records* r : {&a, &b}) {
        for (const auto& n : r->niveaux) exiger(!meilleurQue(n.second, ab.niveaux.at(n.first)), "no level loses its best");
        for (const auto& m : r->maps) exiger(!meilleurQue(m.second, ab.maps.at(m.first)), "no map loses its best");
    }
    exiger(relire(ab) == ab, "the merged records read back");

    if (taille >= 1 && taille <= kNomRecordMax) {
        Records r;
        Parcours p;
        p.scenario = false;
        p.map.assign(reinterpret_cast<const char*>(donnees), taille);
        r.proposer(p, Record{static_cast<int>(taille) - 100, static_cast<int>(taille)});
        exiger(relire(r) == r, "any map name reads back");
    }
    return 0;
}
