// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_DEPOT_POSTGRES_H
#define VORNA_SCORES_DEPOT_POSTGRES_H

#include <memory>
#include <string>

#include "depot.h"

// The scores in a PostgreSQL database, reached through up to `connexions`
// connections shared by the threads. Throws when the database cannot be
// reached or its tables cannot be made.
std::unique_ptr<Depot> ouvrirDepotPostgres(const std::string& uri, int connexions = 8);

#endif
