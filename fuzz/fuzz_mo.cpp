// SPDX-License-Identifier: GPL-3.0-or-later
// A compiled catalogue as the score server reads it at start: any bytes read
// without a crash; a refusal says why and keeps nothing; what is kept has an
// id and a translation, no more of either than the file holds.
#include <string>

#include "catalogue_mo.h"
#include "memoire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const std::string octets(reinterpret_cast<const char*>(donnees), taille);
    CatalogueMo textes;
    std::string faute;
    const bool lu = lireMo(octets, textes, faute);
    exiger(lu ? faute.empty() : !faute.empty() && textes.empty(), "a refusal says why and keeps nothing");
    for (const auto& [id, traduction] : textes)
        exiger(!id.empty() && !traduction.empty() && id.size() < taille && traduction.size() < taille,
               "a text read is one of the file's");
    return 0;
}
