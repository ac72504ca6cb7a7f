// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef VORNA_SCORES_DEPOT_SQLITE_H
#define VORNA_SCORES_DEPOT_SQLITE_H

#include <memory>
#include <string>

#include "depot.h"

// The scores in one SQLite file (write-ahead log, one connection shared by
// the threads in turn). Throws std::runtime_error when it cannot be opened.
std::unique_ptr<Depot> ouvrirDepotSqlite(const std::string& chemin);

#endif
