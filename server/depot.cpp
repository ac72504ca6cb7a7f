// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot.h"

#include <zlib.h>

#include <stdexcept>

#include "empreinte.h"

#include "depot_postgres.h"
#include "depot_sqlite.h"

std::unique_ptr<Depot> ouvrirDepot(const std::string& base, std::string& erreur) {
    try {
        if (base.rfind("postgresql://", 0) == 0 || base.rfind("postgres://", 0) == 0)
            return ouvrirDepotPostgres(base);
        return ouvrirDepotSqlite(base);
    } catch (const std::exception& e) {
        erreur = e.what();
    }
    return nullptr;
}

std::string cleCourse(const std::string& empreinteNiveau, const std::string& entrees) {
    return empreinte(empreinteNiveau + "\n" + entrees);
}

std::string compresser(const std::string& texte) {
    uLongf taille = compressBound(static_cast<uLong>(texte.size()));
    std::string r(taille, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&r[0]), &taille, reinterpret_cast<const Bytef*>(texte.data()),
                  static_cast<uLong>(texte.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib: cannot compress a run's inputs");
    r.resize(taille);
    return r;
}

std::string decompresser(const std::string& octets) {
    const size_t kTailleMax = 16u << 20;  // far beyond the longest run's inputs
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return std::string();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(octets.data()));
    z.avail_in = static_cast<uInt>(octets.size());
    std::string r;
    char tampon[16384];
    int etat = Z_OK;
    while (etat == Z_OK && r.size() <= kTailleMax) {
        z.next_out = reinterpret_cast<Bytef*>(tampon);
        z.avail_out = sizeof tampon;
        etat = inflate(&z, Z_NO_FLUSH);
        if (etat == Z_OK || etat == Z_STREAM_END) r.append(tampon, sizeof tampon - z.avail_out);
        if (etat == Z_OK && z.avail_in == 0 && z.avail_out != 0) etat = Z_DATA_ERROR;  // cut short
    }
    inflateEnd(&z);
    return etat == Z_STREAM_END ? r : std::string();
}
