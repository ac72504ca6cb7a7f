// SPDX-License-Identifier: GPL-3.0-or-later
#include "depot.h"

#include <stdexcept>

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
